// Grimfathom's page in Debian's headless Chromium (or Firefox ESR, web/browser.mjs), as a player
// meets it at a desktop: the first key starts the game with its jingle, then play, pause, losing
// the focus, the results and a new game; no touch control shows, and the site installs, plays
// offline once visited, and says so when the game cannot be loaded. Each check waits for the
// state it looks for; the steps of a group run in order on one page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  awaitFrames, awaitQuietly, awaitSoundBeyond, canvasShot, firefox, openPage, quietly, site, soundsStarted,
} from './browser.mjs';
import {
  awaitShot, centredAt, levelCaption, near, pixel, scoreCaption, sea, showsIntro, showsPause, steps, submarine,
  torpedoX,
} from './canvas.mjs';

let game;
let page;
const step = steps();

// The keys in one breath, each down and up, so that the game takes them in one or two frames.
// Space goes by its character, the one name for it that puppeteer's keyboard knows in Firefox too.
async function press(...keys) {
  for (const key of keys) await page.keyboard.press(key === 'Space' ? ' ' : key);
}

before(async () => {
  game = await openPage(site);
  page = game.page;
  await page.goto(game.url);
});

after(async () => game?.close());

// The page's own title is blanked first, so that only the game's window can name it.
step('the first key starts the game: the level-1 intro on the sea, the submarine at (50, 300), the jingle, the title', async () => {
  await awaitQuietly('offer to play', page, () => document.querySelector('#status').textContent.startsWith('Press'));
  assert.equal(await soundsStarted(page), 0, 'a sound started before the first key');
  await quietly(page, () => { document.title = ''; });
  await press('Enter');
  const intro = await awaitShot(page, (shot) => showsIntro(shot, 1), 'level-1 intro');
  assert.ok(near(pixel(intro, 2, 2), sea) || near(pixel(intro, 797, 597), sea), 'not on the sea');
  assert.ok(centredAt(intro, submarine, 50, 300), 'the submarine is not at (50, 300)');
  await awaitSoundBeyond(page, 0);
  assert.equal(await quietly(page, () => document.title), 'Grimfathom');
});

step('a key leaves the intro, and Escape dims and freezes the scene', async () => {
  await press('Enter', 'Escape');
  const paused = await awaitShot(page, (shot) => showsPause(shot) && !centredAt(shot, levelCaption, 300, 300), 'pause after the intro');
  await awaitFrames(page, 10);
  assert.ok(Buffer.compare(paused.data, (await canvasShot(page)).data) === 0, 'the paused scene changed');
});

step('losing the focus pauses the game', async () => {
  await press('Enter');
  await awaitShot(page, (shot) => !showsPause(shot), 'play after the pause');
  await page.mouse.click(400, 10);                   // on the title, outside the canvas
  await awaitShot(page, showsPause, 'pause when the canvas lost the focus');
  await page.click('#canvas');
});

step('Space fires a torpedo that flies, and its sound starts', async () => {
  const sounds = await soundsStarted(page);
  await press('Space', 'Space', 'Escape');          // resume, fire, pause
  const fired = await awaitShot(page, (shot) => showsPause(shot) && torpedoX(shot, true) >= 0, 'torpedo at the pause');
  await awaitSoundBeyond(page, sounds);
  await press('Enter');
  await awaitFrames(page, 3);
  await press('Escape');
  const launchedAt = torpedoX(fired, true);
  await awaitShot(page, (shot) => showsPause(shot) && torpedoX(shot, true) > launchedAt, 'torpedo further on');
});

// The torpedo may yet strike the squid and bring the next level's intro, which a key leaves; in
// play that key does nothing. On the results screen a key starts a new game only a second after
// the catch, so a key follows each look that finds the screen not yet there.
step('a caught submarine reaches the results, and a key after the delay starts level 1 again', async () => {
  const key = () => press('Enter');
  await awaitShot(page, (shot) => centredAt(shot, scoreCaption, 250, 60), 'results screen', key);
  const sounds = await soundsStarted(page);
  await awaitShot(page, (shot) => showsIntro(shot, 1), 'new level-1 intro', key);
  await awaitSoundBeyond(page, sounds);
});

step('no touch control shows on a desktop, clicks and all, and the keys are told instead', async () => {
  for (const name of ['Steer', 'Up', 'Fire', 'Pause', 'Full screen'])
    assert.equal(await page.$(`::-p-aria(${name})`), null, `${name} shows`);
  assert.ok(await page.$('::-p-text(Arrows or W A S D steer)'), 'the keys are not told');
});

// Firefox has no such check to ask.
if (!firefox) step("Chromium's own check finds the site installable", async () => {
  const { installabilityErrors } = await page.mainFrame().client.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
});

test('no page error or abort from start to end, and nothing fetched from outside the site', async () => {
  assert.deepEqual(game.errors, []);
  assert.equal(await page.$eval('#status', (status) => status.hidden), true, 'the page shows a message');
  assert.deepEqual(game.requests.filter((url) => !url.startsWith(game.url)), []);
});

// A copy of the site to change, as a host's would be.
function copySite() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'grimfathom-site-'));
  fs.cpSync(site, folder, { recursive: true });
  return folder;
}

describe('a visit keeps the site', () => {
  const keptStep = steps();
  let folder;
  let visit;

  before(async () => {
    folder = copySite();
    visit = await openPage(folder);
    await visit.page.goto(visit.url);
  });

  after(async () => {
    await visit?.close();
    fs.rmSync(folder, { recursive: true, force: true });
  });

  keptStep('with the network gone, a reload plays', async () => {
    const { page: kept } = visit;
    await awaitQuietly('service worker in charge', kept, () => navigator.serviceWorker.controller !== null);
    visit.stop();
    await kept.reload();
    await awaitQuietly('offer to play', kept, () => document.querySelector('#status').textContent.startsWith('Press'));
    await kept.keyboard.press('Enter');
    await awaitShot(kept, (shot) => showsIntro(shot, 1), 'level-1 intro offline');
  });

  // A new version as web/build-site.sh makes one: other files, so another version in the worker's
  // first line. The visit after it still plays the kept files while the new worker takes over;
  // the one after that has the new files.
  keptStep('a new version replaces the kept files at the next visit', async () => {
    const { page: kept } = visit;
    const file = (name) => path.join(folder, name);
    fs.writeFileSync(file('index.html'), fs.readFileSync(file('index.html'), 'utf8')
      .replace('<title>Grimfathom</title>', '<title>Grimfathom, again</title>'));
    fs.writeFileSync(file('sw.js'), fs.readFileSync(file('sw.js'), 'utf8')
      .replace(/^const version = '\w+';/, "const version = 'again';"));
    await visit.restart();
    await kept.reload();
    await awaitQuietly('the new version kept alone', kept,
      () => caches.keys().then((names) => names.length === 1 && names[0].endsWith(' again')));
    await kept.reload();
    assert.equal(await quietly(kept, () => document.title), 'Grimfathom, again');
  });
});

test('a page whose game cannot be loaded says so, rather than loading forever', async () => {
  const folder = copySite();
  fs.rmSync(path.join(folder, 'grimfathom.js'));
  const broken = await openPage(folder);
  try {
    await broken.page.goto(broken.url);
    await awaitQuietly('message', broken.page, () => document.querySelector('#status').textContent.includes('could not be loaded'));
  } finally {
    await broken.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});
