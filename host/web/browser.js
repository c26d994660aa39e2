// The page-side half of the browser host (declared in browser.h): the WebGL
// context, focus and visibility, audio start, fullscreen, the cursor, the
// data packs fetched on demand, and the browser's storage. Linked into the program with --js-library.
mergeInto(LibraryManager.library, {
  // Browser.createContext also runs the context-created hooks that set up
  // Emscripten's OpenGL 1.x emulation, which the renderer draws through.
  nx_web_create_context__deps: ['$Browser'],
  nx_web_create_context: function() {
    var attributes = {alpha: false, depth: false, stencil: false, antialias: false,
                      premultipliedAlpha: true, majorVersion: 1, minorVersion: 0};
    return Browser.createContext(Module['canvas'], true, true, attributes) ? 1 : 0;
  },

  nx_web_page_focused: function() { return document.hasFocus() ? 1 : 0; },
  nx_web_page_visible: function() { return document.hidden ? 0 : 1; },

  // Browsers start an audio context suspended until the page has had a user
  // gesture. Every key, click and touch tries to start it until it runs; the
  // page's onAudioState hears 'waiting' or 'running' to say so to the player.
  nx_web_watch_audio__deps: ['$AL'],
  nx_web_watch_audio: function() {
    var contexts = function() {
      var list = [];
      for (var id in AL.contexts) if (AL.contexts[id]) list.push(AL.contexts[id].audioCtx);
      return list;
    };
    // A device the game paused (while suspended) is not waiting for the player.
    var tell = function() {
      var waiting = !AL.paused && contexts().some(function(audio) { return audio.state !== 'running'; });
      if (Module['onAudioState']) Module['onAudioState'](waiting ? 'waiting' : 'running');
      return waiting;
    };
    var gestures = ['keydown', 'mousedown', 'pointerup', 'touchend'];
    var start = function() {
      contexts().forEach(function(audio) {
        if (audio.state === 'suspended') audio.resume().then(tell, tell);
      });
      if (!tell()) gestures.forEach(function(name) { document.removeEventListener(name, start, true); });
    };
    gestures.forEach(function(name) { document.addEventListener(name, start, true); });
    contexts().forEach(function(audio) { audio.addEventListener('statechange', tell); });
    tell();
  },

  nx_web_screen_size: function(width, height) {
    var ratio = window.devicePixelRatio || 1;
    HEAP32[width >> 2] = Math.round(screen.width * ratio);
    HEAP32[height >> 2] = Math.round(screen.height * ratio);
  },

  // Asked for outside a gesture (the game decides in its update), the request
  // is deferred to the next key or button release, still the gesture that
  // asked for it. A refusal is the browser's to make and leaves the page as it is.
  nx_web_request_fullscreen__deps: ['$JSEvents'],
  nx_web_request_fullscreen: function() {
    var enter = function() {
      var page = document.documentElement;
      if (document.fullscreenElement || !page.requestFullscreen) return;
      page.requestFullscreen().catch(function() {});
    };
    if (JSEvents.canPerformEventHandlerRequests()) enter();
    else JSEvents.deferCall(enter, 1, []);
  },

  nx_web_exit_fullscreen: function() {
    if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
  },

  nx_web_show_cursor: function(visible) {
    Module['canvas'].style.cursor = visible ? '' : 'none';
  },

  nx_web_block_context_menu: function() {
    Module['canvas'].addEventListener('contextmenu', function(event) { event.preventDefault(); });
  },

  nx_web_open_url: function(url) {
    window.open(UTF8ToString(url), '_blank', 'noopener');
  },

  // A pack is Emscripten's file packager's: the .data holds the files end to
  // end, the .json where each one lies in it and its path. It is fetched at
  // the first ask; the game goes on with the images it has meanwhile, and
  // after a failed fetch, which a later ask tries again after a pause.
  $nxDataPacks: {},
  nx_web_data_ready__deps: ['$nxDataPacks', '$FS', '$PATH'],
  nx_web_data_ready: function(suffix) {
    var name = UTF8ToString(suffix);
    if (!name) return 1;
    var retryMilliseconds = 10000;
    var pack = nxDataPacks[name];
    if (pack && pack.ready) return 1;
    if (pack && !(pack.failedAt && Date.now() - pack.failedAt > retryMilliseconds)) return 0;
    pack = nxDataPacks[name] = {ready: false};
    var file = 'flingaroo' + name;
    var get = function(extension, as) {
      return fetch(file + extension).then(function(response) {
        if (!response.ok) throw new Error(file + extension + ': HTTP ' + response.status);
        return response[as]();
      });
    };
    Promise.all([get('.json', 'json'), get('.data', 'arrayBuffer')]).then(function(parts) {
      var bytes = new Uint8Array(parts[1]);
      parts[0].files.forEach(function(entry) {
        FS.mkdirTree(PATH.dirname(entry.filename));
        FS.writeFile(entry.filename, bytes.subarray(entry.start, entry.end));
      });
      pack.ready = true;
    }).catch(function(error) {
      console.warn('Could not load the images ' + name + ': ' + error.message);
      pack.failedAt = Date.now();
    });
    return 0;
  },

  // Storage access can throw (private browsing, storage switched off) as
  // well as refuse a string (quota): both are failures the game plays on from.
  // The string crosses as UTF-16 code units, one at a time: a stray surrogate
  // stays one character and never takes the separator after it with it.
  nx_web_storage_load__deps: ['malloc'],
  nx_web_storage_load: function(key, length) {
    try {
      var text = window.localStorage.getItem(UTF8ToString(key));
      if (text === null) return 0;
      var buffer = _malloc(2 * text.length + 2);  // never a request for nothing
      if (!buffer) return 0;
      for (var i = 0; i < text.length; ++i) HEAPU16[(buffer >> 1) + i] = text.charCodeAt(i);
      HEAP32[length >> 2] = text.length;
      return buffer;
    } catch (e) {
      return 0;
    }
  },

  // The browser tells every other tab of the site of a save by a storage
  // event, never the tab that saved. A flag per key remembers one until the
  // game asks.
  $nxStorageChanged: {},
  nx_web_storage_changed__deps: ['$nxStorageChanged'],
  nx_web_storage_changed: function(key) {
    var name = UTF8ToString(key);
    if (!(name in nxStorageChanged)) {
      window.addEventListener('storage', function(event) {
        if (event.key === name) nxStorageChanged[name] = true;
      });
    }
    var changed = nxStorageChanged[name];
    nxStorageChanged[name] = false;
    return changed ? 1 : 0;
  },

  nx_web_storage_save: function(key, units, length) {
    var text = '';
    for (var i = 0; i < length; ++i) text += String.fromCharCode(HEAPU16[(units >> 1) + i]);
    var storage;
    try {
      storage = window.localStorage;
      if (!storage) return -1;
    } catch (e) {
      return -1;
    }
    try {
      storage.setItem(UTF8ToString(key), text);
      return 0;
    } catch (e) {
      return e && e.name === 'QuotaExceededError' ? -2 : -1;
    }
  },
});
