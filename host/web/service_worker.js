// The page's offline copy. The build writes the version (a hash of every file
// it made for the page) and the page's shell into this file, so a new build
// is a new worker, whose cache replaces the old one whole: a half-updated
// program never meets the other half's data.
var version = 'flingaroo-@FLINGAROO_PAGE_VERSION@';
var shell = [@FLINGAROO_PAGE_SHELL@];

// The shell is copied at install, revalidated so an unchanged file costs no
// download; data is copied as the page first asks for it, so a phone keeps
// the images it draws and never fetches the ones it does not.
self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(version).then(function(cache) {
    return cache.addAll(shell.map(function(file) { return new Request(file, {cache: 'no-cache'}); }));
  }).then(function() { return self.skipWaiting(); }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) { return name !== version; })
                            .map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

function fetchAndKeep(request) {
  return fetch(request).then(function(response) {
    if (response.status === 200) {
      var copy = response.clone();
      caches.open(version).then(function(cache) { return cache.put(request, copy); });
    }
    return response;
  });
}

self.addEventListener('fetch', function(event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.match(request, {cacheName: version}).then(function(kept) {
    return kept || fetchAndKeep(request);
  }));
});
