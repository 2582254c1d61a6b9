// Grimfathom's page in Debian's headless Chromium (or Firefox ESR, web/browser.mjs), as a player
// meets it at a desktop: the first key starts the game with its jingle, then play, pause, losing
// the focus, the results and a new game; no touch control shows, and the site installs, plays
// offline once visited, and says so when the game cannot be loaded; a scripted gamepad plays it
// too. Each check waits for the state it looks for; the steps of a group run in order on one page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  awaitFrames, awaitQuietly, awaitSoundBeyond, canvasShot, firefox, layoutShift, loudestSince, openPage, quietly, repo,
  site, soundsStarted,
} from './browser.mjs';
import {
  awaitShot, centredAt, findSprite, levelCaption, near, pixel, scoreCaption, sea, showsIntro, showsPause, squid, steps,
  submarine, torpedo, torpedoX,
} from './canvas.mjs';

let game;
let page;
const step = steps();

// How long a sound of res/ lasts and its RMS level in dB: a 16-bit WAV file, its channels averaged.
function soundFile(name) {
  const bytes = fs.readFileSync(path.join(repo, 'res', `${name}.wav`));
  const format = bytes.indexOf('fmt '), data = bytes.indexOf('data');
  const channels = bytes.readUInt16LE(format + 10), rate = bytes.readUInt32LE(format + 12);
  const frames = bytes.readUInt32LE(data + 4) / 2 / channels;
  let energy = 0;
  for (let i = 0; i < frames; i++) {
    let sum = 0;
    for (let c = 0; c < channels; c++) sum += bytes.readInt16LE(data + 8 + 2 * (i * channels + c));
    energy += (sum / channels / 32768) ** 2;
  }
  return { seconds: frames / rate, decibels: 10 * Math.log10(energy / frames) };
}

// SFML 2's level on the desktop, soundLevel in src/sfml_compat.h: every build plays each sound
// within a decibel of it.
const referenceDecibels = 20 * Math.log10(0.5 + 0.0552305643 * Math.sqrt(3));

// Fails unless the last sound started, the file's, is heard at the reference level. Heard in
// Chromium: in Firefox ESR on the virtual display the page's listener, an audio worklet, was
// given nothing to hear, though the sound started.
async function expectHeardAtTheReferenceLevel(name) {
  if (firefox) return;
  const file = soundFile(name);
  const level = (await loudestSince(page, file.seconds)) - file.decibels;
  console.log(`# ${name} heard at ${level.toFixed(2)} dB against the file`);
  assert.ok(Math.abs(level - referenceDecibels) <= 1,
    `${name} at ${level.toFixed(2)} dB, not within 1 dB of ${referenceDecibels.toFixed(2)}`);
}

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

// The layout's shifts, as browsers weigh them (by the area moved and how far), over the load,
// the offer to play and the game's start: none at all, as the layout is final from the first
// paint (web developers call a page good up to 0.1; the offer moving alone made 0.001 here).
step('nothing on the page moved through the load and the first key', async () => {
  assert.equal(await layoutShift(page), 0, 'the layout shifted');
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

step('Space fires a torpedo that flies, and its sound plays at its level', async () => {
  const sounds = await soundsStarted(page);
  await press('Space', 'Space', 'Escape');          // resume, fire, pause
  const fired = await awaitShot(page, (shot) => showsPause(shot) && torpedoX(shot, true) >= 0, 'torpedo at the pause');
  await awaitSoundBeyond(page, sounds);
  await expectHeardAtTheReferenceLevel('pew');
  await press('Enter');
  await awaitFrames(page, 3);
  await press('Escape');
  const launchedAt = torpedoX(fired, true);
  await awaitShot(page, (shot) => showsPause(shot) && torpedoX(shot, true) > launchedAt, 'torpedo further on');
});

// The torpedo may yet strike the squid and bring the next level's intro, which a key leaves; in
// play that key does nothing. On the results screen a key starts a new game only a second after
// the catch, so a key follows each look that finds the screen not yet there. The jingle's level is
// heard here rather than at the first key, which makes the page's audio context: that may play
// before the page's listener has joined it. The key waits for the catch's sounds to end, so that
// the jingle is heard alone.
step('a caught submarine reaches the results, and a key after the delay starts level 1 again with the jingle at its level', async () => {
  const key = () => press('Enter');
  await awaitShot(page, (shot) => centredAt(shot, scoreCaption, 250, 60), 'results screen', key);
  await awaitQuietly('the catch\'s sounds ended', page, (length) =>
    performance.now() >= window.grimfathomSounds.at(-1).wall + 1000 * length, soundFile('gameover').seconds);
  const sounds = await soundsStarted(page);
  await awaitShot(page, (shot) => showsIntro(shot, 1), 'new level-1 intro', key);
  await awaitSoundBeyond(page, sounds);
  await expectHeardAtTheReferenceLevel('beepboop');
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

// A pad in the standard layout as the Gamepad API presents one, scripted before any script of the
// page runs: set() pushes its stick and presses its buttons, connect() and disconnect() plug it in
// and out, and `looks` counts the page's looks at it.
function scriptedPad() {
  const pad = { id: 'Scripted pad (STANDARD GAMEPAD)', index: 0, mapping: 'standard', connected: false, timestamp: 0,
    axes: [0, 0, 0, 0], buttons: [] };
  const announce = (type) => dispatchEvent(Object.assign(new Event(type), { gamepad: pad }));
  window.scriptedPad = {
    looks: 0,
    set(axes, pressed) {
      pad.axes = [...axes, 0, 0];
      pad.buttons = Array.from({ length: 17 }, (_, i) => ({ pressed: pressed.includes(i), touched: false, value: +pressed.includes(i) }));
      pad.timestamp = performance.now();
      return this.looks;
    },
    connect() { pad.connected = true; announce('gamepadconnected'); },
    disconnect() { pad.connected = false; announce('gamepaddisconnected'); },
  };
  window.scriptedPad.set([0, 0], []);
  Object.defineProperty(Navigator.prototype, 'getGamepads', {
    value: () => { window.scriptedPad.looks += 1; return [pad.connected ? pad : null, null, null, null]; },
  });
}

describe('a gamepad plays the game', () => {
  const padStep = steps();
  let played;
  let padPage;

  // The stick at (x, y) and the buttons pressed, once the page has looked at the pad since.
  async function setPad([x, y], pressed = []) {
    const looks = await quietly(padPage, (axes, buttons) => window.scriptedPad.set(axes, buttons), [x, y], pressed);
    await awaitQuietly('a look at the pad', padPage, (n) => window.scriptedPad.looks > n, looks);
  }
  const tapPad = async (button) => { await setPad([0, 0], [button]); await setPad([0, 0]); };

  before(async () => {
    played = await openPage(site);
    padPage = played.page;
    await padPage.evaluateOnNewDocument(scriptedPad);
    await padPage.goto(played.url);
  });

  after(async () => played?.close());

  // A fresh game's level-1 intro, the pad plugged in: the submarine at the sea's left edge, where
  // its torpedoes cross the whole sea, and the one squid at least 128 pixels away.
  async function startWithPad() {
    await awaitQuietly('offer to play', padPage, () => document.querySelector('#status').textContent.startsWith('Press'));
    await padPage.keyboard.press('Enter');
    const intro = await awaitShot(padPage, (shot) => showsIntro(shot, 1), 'level-1 intro');
    await quietly(padPage, () => window.scriptedPad.connect());
    await awaitQuietly('pad notice', padPage, () => document.querySelector('[role=status]')?.textContent.includes('Start pauses'));
    const start = findSprite(intro, submarine);
    assert.ok(start, 'no submarine in the intro');
    return { start, away: findSprite(intro, squid)?.y < start.y ? 1 : -1 };    // up or down, away from the squid
  }

  padStep('a pad plugged in is told; its stick leaves the intro and steers diagonally while its button fires, with its sound', async () => {
    const { start, away } = await startWithPad();
    const steered = (now) => now && now.x > start.x + 10 && away * (now.y - start.y) > 10;
    const sounds = await soundsStarted(padPage);
    await setPad([1, away], [0]);
    await awaitShot(padPage, (shot) => findSprite(shot, torpedo) !== null && steered(findSprite(shot, submarine)),
      'torpedo fired by the pad, the submarine steered');
    await awaitSoundBeyond(padPage, sounds);
    await setPad([0, 0]);
  });

  // Should the torpedo have struck the squid, the next level's intro takes the first Start.
  padStep('Start pauses and another face button resumes; the notice is gone', async () => {
    await awaitShot(padPage, showsPause, 'pause by Start', () => tapPad(9));
    await tapPad(2);
    await awaitShot(padPage, (shot) => !showsPause(shot), 'play after a face button');
    await awaitQuietly('pad notice gone', padPage, () => document.querySelector('[role=status]') === null);
  });

  // In a fresh game, the submarine steering away from the squid, faster than its chase. The keys
  // as the canvas hears them, each once, not its repeats: the game's own key path.
  padStep('an arrow the keyboard lets go of stays held by the stick; a pad unplugged lets go of it, and the submarine stays', async () => {
    await padPage.reload();
    const { start, away } = await startWithPad();
    const arrow = away > 0 ? 'ArrowDown' : 'ArrowUp';
    await quietly(padPage, () => {
      window.keysHeard = [];
      for (const type of ['keydown', 'keyup'])
        document.querySelector('#canvas').addEventListener(type, (event) => {
          if (!event.repeat) window.keysHeard.push(`${type} ${event.code}`);
        });
    });
    await setPad([0, away]);
    await awaitShot(padPage, (shot) => away * (findSprite(shot, submarine)?.y - start.y) > 10, 'submarine steered by the stick');
    await padPage.keyboard.press(arrow);
    await quietly(padPage, () => window.scriptedPad.disconnect());
    assert.deepEqual(await quietly(padPage, () => window.keysHeard), [`keydown ${arrow}`, `keydown ${arrow}`, `keyup ${arrow}`]);
    await awaitFrames(padPage, 2);
    const unplugged = await canvasShot(padPage);
    await awaitFrames(padPage, 10);
    const later = await canvasShot(padPage);
    assert.ok(!showsPause(later), 'the game paused');
    assert.ok(findSprite(unplugged, submarine), 'no submarine after the pad was unplugged');
    assert.deepEqual(findSprite(later, submarine), findSprite(unplugged, submarine), 'the submarine moved on');
    assert.deepEqual(played.errors, []);
  });
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
