// The page's load as web developers measure it: Lighthouse's mobile profile (a mid-range phone
// on slow 4G, its CPU slowed 4 times) and its desktop profile, each run three times in a fresh
// Debian Chromium on the site served as a static host serves it, gzipped with cache headers.
// Prints the median of each figure; not a test. Lighthouse's throttling is simulated from one
// unthrottled load, so a busy machine inflates the blocking time: the load average is printed too.
// Usage: node web/lighthouse.mjs [RUNS] [REPORTS FOLDER, for each run's full report]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { site } from './browser.mjs';
import { serve } from './serve.mjs';

const profiles = [{ name: 'mobile', config: undefined }, { name: 'desktop', config: desktopConfig }];

// The figures of one report: the two scores and the three Core Web Vitals Lighthouse measures,
// and what the main thread spent its time on, by kind, in milliseconds.
function figures(report) {
  const audit = (id) => report.audits[id].numericValue;
  const work = Object.fromEntries(report.audits['mainthread-work-breakdown'].details.items
    .map(({ group, duration }) => [group, duration]));
  return {
    performance: report.categories.performance.score, lcp: audit('largest-contentful-paint'),
    cls: audit('cumulative-layout-shift'), tbt: audit('total-blocking-time'),
    accessibility: report.categories.accessibility.score, work,
  };
}

// One audit of the page at url in a fresh browser: Debian's Chromium, never one downloaded,
// with the flags the page's tests use.
async function audit(url, config) {
  const chrome = await chromeLauncher.launch({
    chromePath: '/usr/bin/chromium',
    chromeFlags: ['--headless=new', '--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking'],
  });
  try {
    const { lhr } = await lighthouse(url, { port: chrome.port, logLevel: 'error', onlyCategories: ['performance', 'accessibility'] }, config);
    if (lhr.runtimeError) throw new Error(`Lighthouse: ${lhr.runtimeError.message}`);
    return lhr;
  } finally {
    chrome.kill();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const load = () => os.loadavg().map((l) => l.toFixed(2)).join(', ');

function describe(f) {
  return `performance ${f.performance.toFixed(2)}, LCP ${(f.lcp / 1000).toFixed(2)} s, CLS ${f.cls.toFixed(3)}, `
    + `TBT ${f.tbt.toFixed(0)} ms, accessibility ${f.accessibility.toFixed(2)}`;
}

export async function measureLoad(runs = 3, reports = null) {
  const server = await serve(site, 0, { asHost: true });
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    for (const { name, config } of profiles) {
      const results = [];
      for (let run = 1; run <= runs; run++) {
        const report = await audit(url, config);
        if (reports) fs.writeFileSync(path.join(reports, `${name}-${run}.json`), JSON.stringify(report));
        const result = figures(report);
        results.push(result);
        const work = Object.entries(result.work).map(([group, ms]) => `${group} ${ms.toFixed(0)}`).join(', ');
        console.log(`Lighthouse ${name}, run ${run}: ${describe(result)}; main thread (ms): ${work} (load average ${load()})`);
      }
      const middle = Object.fromEntries(['performance', 'lcp', 'cls', 'tbt', 'accessibility']
        .map((key) => [key, median(results.map((result) => result[key]))]));
      console.log(`Lighthouse ${name}, median of ${runs}: ${describe(middle)}`);
    }
  } finally {
    server.close();
    server.closeAllConnections();
  }
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [runs = '3', reports] = process.argv.slice(2);
  if (reports) fs.mkdirSync(reports, { recursive: true });
  await measureLoad(Number(runs), reports);
}
