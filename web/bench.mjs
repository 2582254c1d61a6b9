// The page's start-up and frame rate in Debian's headless Chromium with software WebGL, at a
// desktop and on a phone held sideways whose CPU Chromium slows four times
// (Emulation.setCPUThrottlingRate), as a slow phone's; not a test: it prints what it measured.
// Each run opens a fresh browser, presses a key or taps as soon as the page exists, and counts
// the canvas's frames; and in another, waits for the offer to play before it, as a player who
// waited would. Then Lighthouse's audits of the load (web/lighthouse.mjs), as many runs.
// Usage: node web/bench.mjs [RUNS]
import os from 'node:os';
import { desktop, openPage, sideways, site } from './browser.mjs';
import { measureLoad } from './lighthouse.mjs';

const runs = Number(process.argv[2] ?? 3);
const seconds = 5;                          // counted in each phase
const setups = [
  { name: 'desktop', screen: desktop, slowdown: 1 },
  { name: 'phone sideways, CPU slowed 4 times', screen: sideways, slowdown: 4 },
];

// Frames per second the page draws over the next few seconds.
const frameRate = (page) => page.evaluate((ms) => new Promise((resolve) => {
  const [frames, start] = [window.grimfathomFrames, performance.now()];
  setTimeout(() => resolve((window.grimfathomFrames - frames) * 1000 / (performance.now() - start)), ms);
}), seconds * 1000);

// The gesture the page waits for, and a key after it: a key at a desktop, a tap on the sea on a phone.
const gesture = (page, screen) => (screen.hasTouch
  ? page.touchscreen.tap(screen.width / 2, screen.height / 2)
  : page.keyboard.press('Enter'));

async function measure({ screen, slowdown }) {
  const { page, url, close } = await openPage(site, screen);
  try {
    await page.emulateCPUThrottling(slowdown);
    await page.goto(url, { waitUntil: 'domcontentloaded' });
    await gesture(page, screen);            // before the page has loaded
    await page.waitForFunction(() => window.grimfathomFrames > 0);
    const firstFrame = await page.evaluate(() => window.grimfathomFirstFrame);
    const intro = await frameRate(page);
    await gesture(page, screen);            // play, until a squid catches the submarine
    const play = await frameRate(page);
    return { firstFrame, intro, play };
  } finally {
    await close();
  }
}

// How long a player who waited for the offer to play waits after the key or tap for the first
// frame: the game's start-up, which waits for that gesture, and its start.
async function startAfterOffer({ screen, slowdown }) {
  const { page, url, close } = await openPage(site, screen);
  try {
    await page.emulateCPUThrottling(slowdown);
    await page.goto(url);
    await page.waitForFunction(() => document.querySelector('#status').textContent.endsWith(' to play'));
    const asked = await page.evaluate(() => performance.now());
    await gesture(page, screen);
    await page.waitForFunction(() => window.grimfathomFrames > 0);
    return (await page.evaluate(() => window.grimfathomFirstFrame)) - asked;
  } finally {
    await close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const load = () => os.loadavg().map((l) => l.toFixed(2)).join(', ');
for (const setup of setups) {
  const results = [];
  for (let run = 1; run <= runs; run++) {
    const result = { ...await measure(setup), afterOffer: await startAfterOffer(setup) };
    results.push(result);
    console.log(`${setup.name}, run ${run}: first frame ${result.firstFrame.toFixed(0)} ms after the navigation began, `
      + `${result.afterOffer.toFixed(0)} ms after a gesture that waited for the offer to play; `
      + `${result.intro.toFixed(1)} frames/s in the intro, ${result.play.toFixed(1)} in play (load average ${load()})`);
  }
  console.log(`${setup.name}, median of ${runs}: first frame ${median(results.map((r) => r.firstFrame)).toFixed(0)} ms, `
    + `${median(results.map((r) => r.afterOffer)).toFixed(0)} ms after a gesture that waited; `
    + `${median(results.map((r) => r.intro)).toFixed(1)} frames/s in the intro, `
    + `${median(results.map((r) => r.play)).toFixed(1)} in play (${os.cpus().length} cores)`);
}
await measureLoad(runs);
