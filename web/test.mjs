// Grimfathom's page in Debian's headless Chromium, as a player meets it: the first key starts
// the game with its jingle, then play, pause, losing the focus, the results and a new game.
// Each check waits for the state it looks for; the steps run in order on one page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { PNG } from 'pngjs';
import { awaitFrames, canvasShot, openPage, patience, readPicture, repo } from './browser.mjs';

const site = process.env.GRIMFATHOM_SITE ?? path.join(repo, 'build-web/site');
const picture = (name) => readPicture(path.join(repo, 'res', name));
const submarine = picture('submarine.png');
const torpedo = picture('torpedo.png');
const levelCaption = picture('level.png');
const scoreCaption = picture('score.png');
const numbers = picture('numbers.png');

const sea = [20, 102, 126];                 // the colour the game clears each frame to
// A colour under the pause's black at alpha 128, as the game blends it.
const dimmed = (colour) => colour.map((channel) => Math.floor((channel * 127 + 127) / 255));
const near = (a, b, tolerance = 3) => a.every((channel, i) => Math.abs(channel - b[i]) <= tolerance);
const pixel = (shot, x, y) => [...shot.data.subarray(4 * (y * shot.width + x), 4 * (y * shot.width + x) + 3)];

// Whether nine in ten of the picture's opaque pixels in rect show with their top left corner
// at (left, top), dimmed if asked; a squid may cover the rest.
function showsAt(shot, image, left, top, { rect = [0, 0, image.width, image.height], dim = false } = {}) {
  const [x0, y0, width, height] = rect;
  let opaque = 0;
  let shown = 0;
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const at = 4 * ((y0 + y) * image.width + x0 + x);
      if (image.data[at + 3] !== 255) continue;
      opaque += 1;
      const colour = [...image.data.subarray(at, at + 3)];
      const [sx, sy] = [left + x, top + y];
      if (sx >= 0 && sy >= 0 && sx < shot.width && sy < shot.height
          && near(pixel(shot, sx, sy), dim ? dimmed(colour) : colour))
        shown += 1;
    }
  }
  return opaque > 0 && shown >= 0.9 * opaque;
}

// Sprites are placed by their centre, their origin half their size in whole pixels.
const centredAt = (shot, image, x, y, options) =>
  showsAt(shot, image, x - Math.floor(image.width / 2), y - Math.floor(image.height / 2), options);

// One digit drawn at (x, y) from the ten cells of the number strip.
function showsDigit(shot, digit, x, y) {
  const cell = numbers.width / 10;
  const rect = [Math.floor(digit * cell), 0, Math.floor(cell), numbers.height];
  return showsAt(shot, numbers, x - Math.floor(numbers.width / 20), y - Math.floor(numbers.height / 2), { rect });
}

// The level intro: its caption at (300, 300) and the level's number at (500, 300).
const showsIntro = (shot, level) => centredAt(shot, levelCaption, 300, 300) && showsDigit(shot, level, 500, 300);

// The pause: the scene dimmed in three corners at least (a squid may hide one), the bars bright.
function showsPause(shot) {
  const corners = [[2, 2], [797, 2], [2, 597], [797, 597]];
  const dimCorners = corners.filter(([x, y]) => near(pixel(shot, x, y), dimmed(sea))).length;
  return dimCorners >= 3 && pixel(shot, 380, 300).every((c) => c > 180) && pixel(shot, 420, 300).every((c) => c > 180);
}

// Where the torpedo's centre is on the submarine's line, y = 300; -1 where there is none.
function torpedoX(shot, dim) {
  const half = Math.floor(torpedo.width / 2);
  for (let x = half; x < shot.width - half; x++)
    if (centredAt(shot, torpedo, x, 300, { dim })) return x;
  return -1;
}

let game;
let page;

// The first screenshot of the canvas that passes the check, within the patience; before each,
// poke, if given, acts on the page.
// The last screenshot of a failed wait is kept beside the site.
async function awaitShot(check, what, poke = async () => {}) {
  const deadline = Date.now() + patience;
  let shot;
  while (Date.now() < deadline) {
    await poke();
    shot = await canvasShot(page);
    if (check(shot)) return shot;
  }
  const kept = path.join(site, '..', `failed-${what.replaceAll(' ', '-')}.png`);
  fs.writeFileSync(kept, PNG.sync.write(shot));
  assert.fail(`no ${what} within ${patience / 1000} s; the last screenshot is ${kept}`);
}

// The keys in one breath, each down and up, so that the game takes them in one or two frames.
async function press(...keys) {
  for (const key of keys) await page.keyboard.press(key);
}

const soundsStarted = () => page.evaluate(() => window.grimfathomSounds.length);

// Resolves once more than count sounds have started and the page's audio is running.
async function awaitSoundBeyond(count) {
  await page.waitForFunction((n) => window.grimfathomSounds.length > n
    && window.grimfathomSounds.at(-1).context.state === 'running', {}, count);
}

// A step that fails leaves the game where the next one cannot start: those after it are skipped.
let failed = false;
function step(name, check) {
  test(name, async (t) => {
    if (failed) return t.skip('an earlier step failed');
    try {
      await check();
    } catch (error) {
      failed = true;
      throw error;
    }
  });
}

before(async () => {
  game = await openPage(site);
  page = game.page;
  await page.goto(game.url);
});

after(async () => game?.close());

step('the first key starts the game: the level-1 intro on the sea, the submarine at (50, 300), the jingle', async () => {
  await page.waitForFunction(() => document.getElementById('status').textContent.startsWith('Press'));
  assert.equal(await soundsStarted(), 0, 'a sound started before the first key');
  await press('Enter');
  const intro = await awaitShot((shot) => showsIntro(shot, 1), 'level-1 intro');
  assert.ok(near(pixel(intro, 2, 2), sea) || near(pixel(intro, 797, 597), sea), 'not on the sea');
  assert.ok(centredAt(intro, submarine, 50, 300), 'the submarine is not at (50, 300)');
  await awaitSoundBeyond(0);
  assert.equal(await page.title(), 'Grimfathom');
});

step('a key leaves the intro, and Escape dims and freezes the scene', async () => {
  await press('Enter', 'Escape');
  const paused = await awaitShot((shot) => showsPause(shot) && !centredAt(shot, levelCaption, 300, 300), 'pause after the intro');
  await awaitFrames(page, 10);
  assert.ok(Buffer.compare(paused.data, (await canvasShot(page)).data) === 0, 'the paused scene changed');
});

step('losing the focus pauses the game', async () => {
  await press('Enter');
  await awaitShot((shot) => !showsPause(shot), 'play after the pause');
  await page.mouse.click(400, 10);                   // on the title, outside the canvas
  await awaitShot(showsPause, 'pause when the canvas lost the focus');
  await page.click('#canvas');
});

step('Space fires a torpedo that flies, and its sound starts', async () => {
  const sounds = await soundsStarted();
  await press('Space', 'Space', 'Escape');          // resume, fire, pause
  const fired = await awaitShot((shot) => showsPause(shot) && torpedoX(shot, true) >= 0, 'torpedo at the pause');
  await awaitSoundBeyond(sounds);
  await press('Enter');
  await awaitFrames(page, 3);
  await press('Escape');
  const launchedAt = torpedoX(fired, true);
  await awaitShot((shot) => showsPause(shot) && torpedoX(shot, true) > launchedAt, 'torpedo further on');
});

// The torpedo may yet strike the squid and bring the next level's intro, which a key leaves; in
// play that key does nothing. On the results screen a key starts a new game only a second after
// the catch, so one key goes before each look.
step('a caught submarine reaches the results, and a key after the delay starts level 1 again', async () => {
  const key = () => press('Enter');
  await awaitShot((shot) => centredAt(shot, scoreCaption, 250, 60), 'results screen', key);
  const sounds = await soundsStarted();
  await awaitShot((shot) => showsIntro(shot, 1), 'new level-1 intro', key);
  await awaitSoundBeyond(sounds);
});

test('no page error or abort from start to end, and nothing fetched from outside the site', async () => {
  assert.deepEqual(game.errors, []);
  assert.equal(await page.$eval('#status', (status) => status.hidden), true, 'the page shows a message');
  assert.deepEqual(game.requests.filter((url) => !url.startsWith(game.url)), []);
});
