// The browser build's processor time per frame in headless Chromium: the
// title menu, then level 1 aimed and in flight, at a few page sizes. A frame
// is timed from the browser's frame callback entering the game's main loop
// to its return (render, updates, and the GL emulation's work on the page's
// thread; SwiftShader's own drawing runs in Chromium's GPU process).
//   node bench/web_frames.mjs [build-web directory]   (after ./play --web or ./test)
import path from 'node:path';
import {launch, press, serve, sleep} from '../tests/web/page.mjs';

const root = path.resolve(process.argv[2] || 'build-web');
const sizes = [[640, 480], [1280, 720], [1920, 1080]];
const sampleMilliseconds = 4000;
const server = await serve(root);
const browser = await launch();

async function sample(page) {
  await page.evaluate(() => { window.frameTimes = []; });
  await sleep(sampleMilliseconds);
  const times = await page.evaluate(() => window.frameTimes);
  times.sort((a, b) => a - b);
  const at = fraction => times[Math.min(times.length - 1, Math.floor(fraction * times.length))].toFixed(2);
  return `${times.length} frames, median ${at(0.5)} ms, p90 ${at(0.9)} ms, max ${at(1)} ms`;
}

console.log('page size   | screen        | processor time per frame');
for (const [width, height] of sizes) {
  const page = await browser.newPage();
  await page.setViewport({width, height});
  await page.goto(server.url);
  await page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun, {timeout: 60000});
  await page.evaluate(() => {
    let start = 0;
    window.frameTimes = [];
    Module.preMainLoop = () => { start = performance.now(); };
    Module.postMainLoop = () => { window.frameTimes.push(performance.now() - start); };
  });
  await sleep(4000);  // past the splash and the loading
  const label = `${width} x ${height}`.padEnd(11);
  console.log(`${label} | menu          | ${await sample(page)}`);
  await press(page, 'Space');
  await sleep(2500);
  console.log(`${label} | play, aiming  | ${await sample(page)}`);
  await press(page, 'KeyZ');
  await sleep(500);
  console.log(`${label} | play, flying  | ${await sample(page)}`);
  await page.close();
}
await browser.close();
server.close();
