// The browser build served on 127.0.0.1 and headless Chromium to open it,
// shared by the web tier and the frame-cost measurement.
import {spawn} from 'node:child_process';
import {fileURLToPath} from 'node:url';
import puppeteer from 'puppeteer-core';

// Serves the folder on a free port of 127.0.0.1 with the server of ./play
// --web (compressed copies and all); resolves to its url and a close().
export async function serve(root) {
  const script = fileURLToPath(new URL('../../tools/serve_web.py', import.meta.url));
  const server = spawn('python3', [script, root, '0'], {stdio: ['ignore', 'pipe', 'inherit']});
  const line = await new Promise((listening, failed) => {
    server.stdout.once('data', listening);
    server.once('exit', code => failed(new Error(`serve_web.py stopped (${code})`)));
  });
  return {url: String(line).trim().split(' ')[1], close: () => server.kill()};
}

// Debian's Chromium, drawing WebGL with SwiftShader.
export function launch(extraArgs = []) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: 'new',
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...extraArgs],
  });
}

// The game reads keys as held at its update, so a key stays down a few frames.
export const press = (page, key) => page.keyboard.press(key, {delay: 120});
export const sleep = milliseconds => new Promise(later => setTimeout(later, milliseconds));
