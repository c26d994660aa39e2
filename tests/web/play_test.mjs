// The browser build played in headless Chromium: the page from build-web/
// served on 127.0.0.1, driven through the DevTools protocol. Every step waits
// for what the player would see (screenshots classified by colour) or for
// the page's own state, never for a fixed time.
//   node tests/web/play_test.mjs [build-web directory]
import fs from 'node:fs';
import path from 'node:path';
import {launch, press as pressOn, serve, sleep} from './page.mjs';

const root = path.resolve(process.argv[2] || 'build-web');
const shotFolder = path.join(root, 'web-test');
fs.rmSync(shotFolder, {recursive: true, force: true});
fs.mkdirSync(shotFolder);
const server = await serve(root);
const browser = await launch(['--autoplay-policy=document-user-activation-required']);
const page = await browser.newPage();
await page.setViewport({width: 800, height: 600});
const problems = [];
const fetched = new Set();
page.on('requestfinished', request => fetched.add(path.basename(new URL(request.url()).pathname)));
page.on('console', message => { if (message.type() === 'error') problems.push(message.text()); });
page.on('pageerror', error => problems.push(error.message));
// Keeps the page's audio contexts where the test can ask for their state.
// Headless Chromium does not always hold audio back until a gesture, so each
// context starts suspended, as a browser that holds it back makes it.
await page.evaluateOnNewDocument(() => {
  const Original = window.AudioContext;
  window.audioContexts = [];
  window.AudioContext = class extends Original {
    constructor(...options) { super(...options); this.suspend(); window.audioContexts.push(this); }
  };
});

let shots = 0;
// The fraction of the screen's pixels in each colour class that tells the
// game's screens apart: the title's orange logo over its blue backdrop, the
// purple night behind a tower, and the results panel's olive and blue bars.
async function looks(on = page) {
  const png = await on.screenshot({encoding: 'base64'});
  fs.writeFileSync(`${shotFolder}/${shots++}.png`, Buffer.from(png, 'base64'));
  return page.evaluate(async png => {
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    const classes = {
      logo: (r, g, b) => r > 220 && g > 120 && g < 200 && b < 120,
      backdrop: (r, g, b) => b > r + 30 && b > g + 20 && r < 60,
      night: (r, g, b) => r >= 30 && r <= 50 && g < 12 && b >= 50 && b <= 70,
      olive: (r, g, b) => r > 110 && r < 160 && g > 100 && g < 150 && b < 40,
      panel: (r, g, b) => r < 30 && g > 40 && g < 90 && b > 110 && b < 170,
      badge: (r, g, b, x, y) => g > 150 && r < 120 && b < 120 && x < 0.6 * image.width && y > 0.6 * image.height,
    };
    const counts = Object.fromEntries(Object.keys(classes).map(name => [name, 0]));
    for (let i = 0; i < pixels.length; i += 4) {
      const x = (i / 4) % image.width, y = Math.floor(i / 4 / image.width);
      for (const name in classes)
        if (classes[name](pixels[i], pixels[i + 1], pixels[i + 2], x, y)) counts[name]++;
    }
    for (const name in counts) counts[name] /= image.width * image.height;
    return counts;
  }, png);
}

const screens = {
  title: seen => seen.logo > 0.01 && seen.backdrop > 0.3,
  play: seen => seen.night > 0.3,
  results: seen => seen.olive > 0.01 && seen.panel > 0.005,
};

async function waitFor(what, test, seconds = 60) {
  const end = Date.now() + seconds * 1000;
  let last;
  while (Date.now() < end) {
    last = await test();
    if (last) { console.log(`ok: ${what}`); return last; }
    await sleep(200);
  }
  throw new Error(`${what} did not happen within ${seconds} s (last: ${JSON.stringify(last)})`);
}

async function waitForScreen(name, seconds, also = () => true, on = page) {
  return waitFor(`the ${name} screen`, async () => {
    const seen = await looks(on);
    return screens[name](seen) && also(seen) && seen;
  }, seconds);
}

const press = key => pressOn(page, key);
// The title takes no selection while its list is still moving in: like a
// player, the test presses again until the level starts (`started` says).
const startLevel = (what, started = seen => screens.play(seen)) => waitFor(what, async () => {
  await press('Space');
  return started(await looks());
});
const audioStates = () => page.evaluate(() => window.audioContexts.map(audio => audio.state));
const stored = () => page.evaluate(() => window.localStorage.getItem('flingaroo/.kestrelstate'));
const check = (what, ok) => { if (!ok) throw new Error(what); console.log(`ok: ${what}`); };
const ended = () => page.$eval('#canvas', canvas => canvas.classList.contains('ended'));
// A page opened with `script` run before the game's own, to take a browser
// feature away; its errors are counted with the first page's.
async function pageWithout(script) {
  const other = await browser.newPage();
  await other.setViewport({width: 640, height: 480});
  other.on('pageerror', error => problems.push(error.message));
  await other.evaluateOnNewDocument(script);
  await other.goto(server.url);
  return other;
}

// The bytes a first visit at 800x600 takes over the wire until the title
// shows: a fresh profile, nothing cached, headers and compression counted.
async function firstVisitBytes() {
  const context = await browser.createBrowserContext();
  const visitor = await context.newPage();
  await visitor.setViewport({width: 800, height: 600});
  const network = await visitor.createCDPSession();
  let bytes = 0;
  network.on('Network.loadingFinished', loaded => { bytes += loaded.encodedDataLength; });
  await network.send('Network.enable');
  await visitor.goto(server.url);
  await waitForScreen('title', 60, () => true, visitor);
  await context.close();
  return bytes;
}

// Every same-origin file the page loaded is in the offline worker's cache.
const keptOffline = () => page.evaluate(async () => {
  const kept = await Promise.all((await caches.keys()).map(async name => (await caches.open(name)).keys()));
  const urls = kept.flat().map(request => request.url);
  return !!navigator.serviceWorker.controller && urls.some(url => url.endsWith('.data')) &&
    performance.getEntriesByType('resource').every(file => !file.name.startsWith(location.origin) || urls.includes(file.name));
});

let failed = false;
try {
  const bytes = await firstVisitBytes();
  check(`a first visit at 800x600 downloads ${bytes} bytes, at most 4 MB`, bytes < 4e6);
  await page.goto(server.url);
  const title = await waitForScreen('title');
  check('a first visit has no record and shows no completed level', await stored() === null && title.badge < 0.0005);
  await waitFor('the page saying that sound waits for a gesture', async () =>
    (await audioStates()).every(state => state === 'suspended') &&
    await page.$eval('#sound', notice => !notice.classList.contains('hidden')), 10);

  await startLevel('level 1 started by Space');
  // The largest images come only when the page grows; meanwhile, and
  // while they load, the level stays on screen (the loading screen's backdrop
  // at a corner pixel, read after each frame, would show it left).
  await waitFor('the images an 800 x 600 page draws fetched', () => fetched.has('flingaroo-hd.data'));
  check('and not the largest ones', !fetched.has('flingaroo-hd2.data'));
  await page.evaluate(() => {
    window.drawnFrames = 0, window.loadingFrames = 0;
    Module.postMainLoop = () => {
      const pixel = new Uint8Array(4);
      Module.ctx.readPixels(0, 0, 1, 1, Module.ctx.RGBA, Module.ctx.UNSIGNED_BYTE, pixel);
      window.drawnFrames++, window.loadingFrames += pixel[0] === 40 && pixel[1] === 40 && pixel[2] === 80;
    };
  });
  await page.setViewport({width: 1280, height: 800});
  const framesAtPack = await waitFor('the largest images fetched as the page grew',
    () => fetched.has('flingaroo-hd2.data') && page.evaluate(() => window.drawnFrames));
  await waitFor('60 frames drawn after they came', async () => await page.evaluate(() => window.drawnFrames) > framesAtPack + 60);
  check('the level stayed on screen through the resize',
        screens.play(await looks()) && await page.evaluate(() => window.loadingFrames) === 0);
  await waitFor('the audio context running after a key',
                async () => (await audioStates()).some(state => state === 'running'));
  check('the sound notice is gone', await page.$eval('#sound', notice => notice.classList.contains('hidden')));

  await press('KeyZ');
  await waitForScreen('results', 90);
  const record = await waitFor('the record in the browser storage', stored);
  await waitForScreen('title');

  await page.reload();
  await waitForScreen('title', 60, seen => seen.badge > 0.0005);
  console.log('ok: after a reload the level shows as completed');
  check('the record survived the reload', await stored() === record);

  // A lone surrogate is one stray character: the separator after it stays.
  // Stored as the page reloads, after the game saved on leaving it.
  const stray = await page.evaluateOnNewDocument(() => localStorage.setItem('flingaroo/.kestrelstate',
    localStorage.getItem('flingaroo/.kestrelstate').replace('|', '\uD800|')));
  await page.reload();
  await page.removeScriptToEvaluateOnNewDocument(stray.identifier);
  await waitForScreen('title', 60, seen => seen.badge > 0.0005);
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  await waitFor('the save on leaving the page keeping the record', async () => await stored() === record);
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));

  // A page cannot close its tab: the title's way out and F4 leave the game playing.
  for (const key of ['Escape', 'Backspace', 'Delete', 'Backquote', 'F4']) await press(key);
  const leftTitle = seen => !screens.title(seen);
  await startLevel('Space leaving the title after the keys that end the desktop game', leftTitle);
  check('the page does not say the game has ended', !await ended());

  // Without the Gamepad API the game plays on; without WebGL the page says why.
  const noPads = await pageWithout(() => { delete Navigator.prototype.getGamepads; });
  await waitForScreen('title', 60, () => true, noPads);
  const noWebGL = await pageWithout(() => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(type, ...options) {
      return /webgl/.test(type) ? null : getContext.call(this, type, ...options);
    };
  });
  await waitFor('the page saying that WebGL is missing', () => noWebGL.$eval('#status', line =>
    !line.classList.contains('hidden') && line.textContent.includes('WebGL')), 30);

  // Installable: the manifest names the game and its icons load; with the
  // network and the server gone, a reload from the offline worker still plays.
  const manifest = await page.evaluate(async () => {
    const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
    return {...manifest, icons: await Promise.all(manifest.icons.map(async icon => {
      const image = Object.assign(new Image(), {src: icon.src});
      await image.decode();
      return image.naturalWidth === +icon.sizes.split('x')[0] && icon.sizes;
    }))};
  });
  check(`the manifest ${JSON.stringify(manifest)} names the game, fullscreen, landscape, icons 192 and 512 that load`,
        manifest.name === 'Flingaroo' && manifest.display === 'fullscreen' &&
        manifest.orientation === 'landscape' && manifest.icons.join() === '192x192,512x512');
  await waitFor('the offline worker controlling the page and keeping what it loaded', keptOffline);
  server.close();
  await page.bringToFront();  // a page behind the others draws nothing
  await page.setOfflineMode(true);
  await page.reload();
  await waitForScreen('title');
  await startLevel('Space leaving the title offline', leftTitle);
  check('no error reached the console', problems.length === 0);
} catch (error) {
  console.error(`FAIL: ${error.message}`);
  failed = true;
}
if (problems.length) console.error(`console errors:\n  ${problems.join('\n  ')}`);
await browser.close();
server.close();
process.exit(failed ? 1 : 0);
