// The page's start-up and frame rate in Debian's headless Chromium with software WebGL; not a
// test: it prints what it measured. Each run opens a fresh browser, presses a key as soon as the
// page exists, and counts the canvas's frames. Usage: node web/bench.mjs [RUNS]
import os from 'node:os';
import path from 'node:path';
import { openPage, repo } from './browser.mjs';

const site = process.env.GRIMFATHOM_SITE ?? path.join(repo, 'build-web/site');
const runs = Number(process.argv[2] ?? 3);
const seconds = 5;                          // counted in each phase

// Frames per second the page draws over the next few seconds.
const frameRate = (page) => page.evaluate((ms) => new Promise((resolve) => {
  const [frames, start] = [window.grimfathomFrames, performance.now()];
  setTimeout(() => resolve((window.grimfathomFrames - frames) * 1000 / (performance.now() - start)), ms);
}), seconds * 1000);

async function measure() {
  const { page, url, close } = await openPage(site);
  try {
    await page.goto(url, { waitUntil: 'domcontentloaded' });
    await page.keyboard.press('Enter');     // the gesture the page waits for, before it has loaded
    await page.waitForFunction(() => window.grimfathomFrames > 0);
    const firstFrame = await page.evaluate(() => window.grimfathomFirstFrame);
    const intro = await frameRate(page);
    await page.keyboard.press('Enter');     // play, until a squid catches the submarine
    const play = await frameRate(page);
    return { firstFrame, intro, play };
  } finally {
    await close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const load = () => os.loadavg().map((l) => l.toFixed(2)).join(', ');
const results = [];
for (let run = 1; run <= runs; run++) {
  const result = await measure();
  results.push(result);
  console.log(`run ${run}: first frame ${result.firstFrame.toFixed(0)} ms after the navigation began; `
    + `${result.intro.toFixed(1)} frames/s in the intro, ${result.play.toFixed(1)} in play (load average ${load()})`);
}
console.log(`median of ${runs}: first frame ${median(results.map((r) => r.firstFrame)).toFixed(0)} ms; `
  + `${median(results.map((r) => r.intro)).toFixed(1)} frames/s in the intro, `
  + `${median(results.map((r) => r.play)).toFixed(1)} in play (${os.cpus().length} cores)`);
