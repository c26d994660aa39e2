// The browser build served on 127.0.0.1 and headless Chromium to open it,
// shared by the web tier and the frame-cost measurement.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

// Serves the folder on a free port of 127.0.0.1; resolves to the server.
export async function serve(root) {
  const server = http.createServer((request, response) => {
    const file = path.join(root, new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
    fs.readFile(file, (error, body) => {
      response.writeHead(error ? 404 : 200, {'content-type': types[path.extname(file)] || 'application/octet-stream'});
      response.end(error ? '' : body);
    });
  });
  await new Promise(listening => server.listen(0, '127.0.0.1', listening));
  server.url = `http://127.0.0.1:${server.address().port}/`;
  return server;
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
