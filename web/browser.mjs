// What the page's tests and benchmark share: the site served on loopback, Debian's Chromium
// headless (or Firefox ESR) with its default autoplay policy, as a desktop or as a phone, and the
// page's frames, sounds and wake locks counted where the page makes them.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

export const repo = path.dirname(path.dirname(fileURLToPath(import.meta.url)));
export const site = process.env.GRIMFATHOM_SITE ?? path.join(repo, 'build-web/site');

// The suite's one patience, in milliseconds: every wait ends as soon as its state shows, so only
// a failing check waits this long; a loaded machine can take 20 s to start the page.
export const patience = 1000 * Number(fs.readFileSync(path.join(repo, 'tests/patience-seconds'), 'utf8'));

// The browser the page plays in: Debian's Chromium, through the DevTools protocol, or with
// GRIMFATHOM_BROWSER=firefox Debian's Firefox ESR, through WebDriver BiDi. Firefox offers WebGL
// only on a display, so it runs on the one in DISPLAY (tests/with-display.sh gives it Xvfb).
export const firefox = process.env.GRIMFATHOM_BROWSER === 'firefox';
const launchOptions = firefox
  ? { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: false }
  // software WebGL, as on a machine without a GPU; no sandbox, as CI runs as root
  : { executablePath: '/usr/bin/chromium', headless: true, args: ['--headless=new', '--no-sandbox', '--enable-unsafe-swiftshader'] };

export function readPicture(file) {
  return PNG.sync.read(fs.readFileSync(file));
}

// Counts, before any script of the page runs: a frame is a clear of the canvas's WebGL context,
// and the first one's time since the navigation began is kept; a sound is a Web Audio source
// started, with its audio context, the context's time and the page's; every screen wake lock the page was
// granted is kept; every layout shift is added up, those just after the player's input too, as the
// page should not move when the game starts either. What the page sends to its audio output is
// heard too: whatever connects to a context's destination connects to a listener as well, which
// keeps the mean of the channels with the context's time it plays at.
function countFramesAndSounds() {
  window.grimfathomFrames = 0;
  window.grimfathomSounds = [];
  window.grimfathomWakeLocks = [];
  window.grimfathomShift = 0;
  new PerformanceObserver((shifts) => {
    for (const shift of shifts.getEntries()) window.grimfathomShift += shift.value;
  }).observe({ type: 'layout-shift', buffered: true });
  const clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function (mask) {
    if (window.grimfathomFrames === 0) window.grimfathomFirstFrame = performance.now();
    window.grimfathomFrames += 1;
    return clear.call(this, mask);
  };
  // The listener is an audio worklet, which hears every block as the context renders it; it
  // joins once its module is loaded, long before the first key lets the page play.
  window.grimfathomHeard = { blocks: [], rate: 0 };
  // It sends what it heard a tenth of a second at a time, its blocks of 128 frames end to end.
  const ear = `registerProcessor('grimfathom-ear', class extends AudioWorkletProcessor {
    process([channels]) {
      const [left, right = left] = channels;
      if (!left) return true;
      if (!this.mean || this.filled === this.mean.length || this.first + this.filled !== currentFrame) {
        if (this.mean) this.port.postMessage({ at: this.first / sampleRate, mean: this.mean.subarray(0, this.filled) });
        this.mean = new Float32Array(128 * 32);
        this.first = currentFrame;
        this.filled = 0;
      }
      for (let i = 0; i < left.length; i++) this.mean[this.filled++] = (left[i] + right[i]) / 2;
      return true;
    }
  });`;
  const connect = AudioNode.prototype.connect;
  const junctions = new Map();
  const listenTo = async (context, junction) => {
    await context.audioWorklet.addModule(URL.createObjectURL(new Blob([ear], { type: 'text/javascript' })));
    const listener = new AudioWorkletNode(context, 'grimfathom-ear', { channelCount: 2, channelCountMode: 'explicit' });
    listener.port.onmessage = ({ data }) => window.grimfathomHeard.blocks.push(data);
    window.grimfathomHeard.rate = context.sampleRate;
    connect.call(junction, listener);
    connect.call(listener, context.destination);     // it plays nothing, but only a connected node is sure to run
  };
  AudioNode.prototype.connect = function (target, ...rest) {
    if (target instanceof AudioDestinationNode) {
      if (!junctions.has(target)) {
        junctions.set(target, new GainNode(this.context));
        listenTo(this.context, junctions.get(target));
      }
      connect.call(this, junctions.get(target));
    }
    return connect.call(this, target, ...rest);
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.grimfathomSounds.push({ context: this.context, at: this.context.currentTime, wall: performance.now() });
    return start.apply(this, args);
  };
  if (!window.WakeLock) return;     // none outside a secure context, as on about:blank
  const request = WakeLock.prototype.request;
  WakeLock.prototype.request = function (...args) {
    const granted = request.apply(this, args);
    granted.then((lock) => window.grimfathomWakeLocks.push(lock), () => {});
    return granted;
  };
}

// Emscripten's GL emulation announces itself when it starts, three lines on the console that are
// errors in Emscripten 3.1.69 (warnings in 3.1.6), whatever the build; no setting keeps them
// out. Recognised by what they say, they are not the page's errors: anything else printed as an
// error is, the game's and SFML's messages included.
const emscriptenNotice = /^WARNING: using emscripten GL (emulation|immediate mode emulation)\b/;

// The desktop's viewport shows the canvas at its own 800 x 600. A phone, as Chromium emulates
// one (Emulation.setDeviceMetricsOverride, mobile, and Emulation.setTouchEmulationEnabled): its
// main pointer a finger, its screen either way up.
export const desktop = { width: 800, height: 700 };
const phone = { deviceScaleFactor: 2.75, isMobile: true, hasTouch: true };
export const sideways = { ...phone, width: 851, height: 393, isLandscape: true };
export const upright = { ...phone, width: 393, height: 851, isLandscape: false };

// The page at the folder's address in a fresh browser, its errors and every address
// it asked for collected; stop() takes the site off the network, as a lost connection would,
// and restart() serves it again at the same address.
export async function openPage(folder = site, viewport = desktop) {
  const server = await serve(folder);
  const browser = await puppeteer.launch({ ...launchOptions, protocolTimeout: 3 * patience });
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.setDefaultTimeout(patience);
  const errors = [];
  const requests = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error' && !emscriptenNotice.test(message.text())) errors.push(message.text());
  });
  page.on('request', (request) => requests.push(request.url()));
  await page.evaluateOnNewDocument(countFramesAndSounds);
  const { port } = server.address();
  const url = `http://127.0.0.1:${port}/`;
  let serving = server;
  const stop = () => { serving.close(); serving.closeAllConnections(); };
  const restart = async () => { serving = await serve(folder, port); };
  const close = async () => { await browser.close(); stop(); };
  return { page, url, errors, requests, stop, restart, close };
}

// What fn(...args) returns in the page or one of its frames, run as the page's own scripts run:
// puppeteer's evaluate counts as a gesture of the player's, after which the browser lets the
// page play sound that no key or touch has allowed. (In Firefox the frame's realm evaluates
// through BiDi's script.evaluate, which puppeteer's evaluate asks for a user activation.)
export async function quietly(target, fn, ...args) {
  const frame = target.mainFrame?.() ?? target;
  const expression = `(${fn})(...${JSON.stringify(args)})`;
  if (firefox) {
    const answer = await frame.mainRealm().realm.evaluate(
      `Promise.resolve(${expression}).then((value) => JSON.stringify(value) ?? 'null')`, true, { userActivation: false });
    if (answer.type === 'exception') throw new Error(answer.exceptionDetails.text);
    return JSON.parse(answer.result.value);
  }
  const { result, exceptionDetails } = await frame.client.send('Runtime.evaluate', {
    expression, awaitPromise: true, returnByValue: true, userGesture: false,
  });
  if (exceptionDetails) throw new Error(exceptionDetails.exception?.description ?? exceptionDetails.text);
  return result.value;
}

// Resolves once fn(...args), run quietly, is true; fails after the patience, naming what.
export async function awaitQuietly(what, target, fn, ...args) {
  const deadline = Date.now() + patience;
  while (!(await quietly(target, fn, ...args))) {
    if (Date.now() > deadline) throw new Error(`no ${what} within ${patience / 1000} s`);
    await new Promise((resolve) => setTimeout(resolve, 50));    // between looks, not a wait for the state
  }
}

export const frames = (page) => page.evaluate(() => window.grimfathomFrames);
export const layoutShift = (target) => quietly(target, () => window.grimfathomShift);
export const soundsStarted = (target) => quietly(target, () => window.grimfathomSounds.length);

// Resolves once more than count sounds have started and the page's audio is running; in Firefox,
// whose audio never runs without a sound device, once the browser's autoplay policy lets it.
export const awaitSoundBeyond = (target, count) => awaitQuietly('sound', target, (n, allowedOnly) => {
  const context = window.grimfathomSounds.at(-1)?.context;
  return window.grimfathomSounds.length > n &&
    (allowedOnly ? navigator.getAutoplayPolicy(context) === 'allowed' : context.state === 'running');
}, count, firefox);

// The RMS level, in dB, of the loudest stretch of that many seconds the page has sent to its
// audio output since the last sound started, once that sound and a tenth of a second more were
// heard.
export async function loudestSince(target, seconds) {
  await awaitQuietly('the sound heard whole', target, (length) => {
    const { blocks, rate } = window.grimfathomHeard;
    const last = blocks.at(-1);
    return last && last.at + last.mean.length / rate >= window.grimfathomSounds.at(-1).at + length + 0.1;
  }, seconds);
  return quietly(target, (length) => {
    const { blocks, rate } = window.grimfathomHeard;
    const started = window.grimfathomSounds.at(-1).at, span = Math.round(length * rate);
    const last = blocks.at(-1);
    const samples = new Float32Array(Math.round((last.at - started) * rate) + last.mean.length);
    for (const { at, mean } of blocks) {
      const offset = Math.round((at - started) * rate);
      if (offset + mean.length > 0) samples.set(mean.subarray(Math.max(0, -offset)), Math.max(0, offset));
    }
    let energy = 0, loudest = 0;
    for (let i = 0; i < samples.length; i++) {
      energy += samples[i] ** 2 - (i >= span ? samples[i - span] ** 2 : 0);
      loudest = Math.max(loudest, energy);
    }
    return 10 * Math.log10(loudest / span);
  }, seconds);
}

// Resolves once the page holds a screen wake lock, or holds none, as asked.
export const awaitAwake = (target, awake) => awaitQuietly(awake ? 'wake lock' : 'wake lock released', target,
  (wanted) => window.grimfathomWakeLocks.some((lock) => !lock.released) === wanted, awake);

// Resolves once the page has drawn count more frames than it had.
export async function awaitFrames(page, count) {
  const target = (await frames(page)) + count;
  await page.waitForFunction((n) => window.grimfathomFrames >= n, {}, target);
}

// What the canvas of the page or frame shows at its own 800 x 600 pixels, however large the
// page shows it, as a screenshot has it: { width, height, data } in RGBA. The capture is
// rendered at the scale that maps each of the canvas's pixels to one of the picture's.
export async function canvasShot(target) {
  const page = target.page?.() ?? target;
  if (firefox) return PNG.sync.read(Buffer.from(await firefoxCanvasShot(page), 'base64'));
  const box = await (await target.$('#canvas')).boundingBox();
  const scale = 800 / (box.width * (page.viewport().deviceScaleFactor ?? 1));
  const { data } = await page.mainFrame().client.send('Page.captureScreenshot', { format: 'png', clip: { ...box, scale } });
  return PNG.sync.read(Buffer.from(data, 'base64'));
}

// In Firefox, a query of puppeteer's (page.$, page.screenshot) right after a key takes away the
// user activation the key gave, and with it the page's leave to play sound; the canvas's box is
// read quietly instead, and BiDi's screenshot taken as it is, with no scale: a desktop's needs none.
// The page centres the canvas, which may put it half a pixel down; Firefox draws it from the next
// whole pixel.
async function firefoxCanvasShot(page) {
  const box = await quietly(page, () => {
    const { x, y, width, height } = document.querySelector('#canvas').getBoundingClientRect();
    return { x: Math.ceil(x), y: Math.ceil(y), width, height };
  });
  return page.mainFrame().browsingContext.captureScreenshot({ origin: 'viewport', clip: { type: 'box', ...box } });
}
