// What the page's test and benchmark share: the site served on loopback, Debian's Chromium
// headless with its default autoplay policy, and the page's frames and sounds counted where the
// page makes them.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

export const repo = path.dirname(path.dirname(fileURLToPath(import.meta.url)));

// The suite's one patience, in milliseconds: every wait ends as soon as its state shows, so only
// a failing check waits this long; a loaded machine can take 20 s to start the page.
export const patience = 1000 * Number(fs.readFileSync(path.join(repo, 'tests/patience-seconds'), 'utf8'));

export function readPicture(file) {
  return PNG.sync.read(fs.readFileSync(file));
}

// Counts, before any script of the page runs: a frame is a clear of the canvas's WebGL context,
// and the first one's time since the navigation began is kept; a sound is a Web Audio source
// started, with its audio context.
function countFramesAndSounds() {
  window.grimfathomFrames = 0;
  window.grimfathomSounds = [];
  const clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function (mask) {
    if (window.grimfathomFrames === 0) window.grimfathomFirstFrame = performance.now();
    window.grimfathomFrames += 1;
    return clear.call(this, mask);
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.grimfathomSounds.push({ context: this.context });
    return start.apply(this, args);
  };
}

// Emscripten's GL emulation announces itself when it starts, three lines on the console that are
// errors in Emscripten 3.1.69 (warnings in 3.1.6), whatever the build; no setting keeps them
// out. Recognised by what they say, they are not the page's errors: anything else printed as an
// error is, the game's and SFML's messages included.
const emscriptenNotice = /^WARNING: using emscripten GL (emulation|immediate mode emulation)\b/;

// The page at the site's address in a fresh headless Chromium, its errors and every address it
// asked for collected. The viewport shows the canvas at its own 800 x 600.
export async function openPage(site) {
  const server = await serve(site);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    // software WebGL, as on a machine without a GPU; no sandbox, as CI runs as root
    args: ['--headless=new', '--no-sandbox', '--enable-unsafe-swiftshader'],
    protocolTimeout: 3 * patience,
  });
  const page = await browser.newPage();
  await page.setViewport({ width: 800, height: 700 });
  page.setDefaultTimeout(patience);
  const errors = [];
  const requests = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error' && !emscriptenNotice.test(message.text())) errors.push(message.text());
  });
  page.on('request', (request) => requests.push(request.url()));
  await page.evaluateOnNewDocument(countFramesAndSounds);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const close = async () => { await browser.close(); server.close(); };
  return { page, url, errors, requests, close };
}

export const frames = (page) => page.evaluate(() => window.grimfathomFrames);

// Resolves once the page has drawn count more frames than it had.
export async function awaitFrames(page, count) {
  const target = (await frames(page)) + count;
  await page.waitForFunction((n) => window.grimfathomFrames >= n, {}, target);
}

// What the canvas shows, as the page's screenshot has it: { width, height, data } in RGBA.
export async function canvasShot(page) {
  const canvas = await page.$('#canvas');
  return PNG.sync.read(Buffer.from(await canvas.screenshot({ type: 'png' })));
}
