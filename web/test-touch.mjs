// Grimfathom's page on a phone, as Chromium emulates one, played by fingers alone through the
// DevTools protocol's touch events, two at once; and in a game portal's frame on another origin,
// with a click and keys and with touch. Each check waits for the state it looks for; the steps
// of a group run in order on one page.
import assert from 'node:assert/strict';
import http from 'node:http';
import { after, before, describe, test } from 'node:test';
import {
  awaitAwake, awaitFrames, awaitQuietly, awaitSoundBeyond, canvasShot, desktop, layoutShift, openPage, quietly,
  sideways, soundsStarted, upright,
} from './browser.mjs';
import { awaitShot, findSprite, showsIntro, showsPause, squid, steps, submarine, torpedo } from './canvas.mjs';

// Where a control is, by its accessible name, as assistive technology finds it: its box on the
// page, or null when it does not show. Puppeteer's element handles count as a gesture of the
// player's, so before the first tap only the canvas's box is read, and quietly: the page's
// (or a frame's at the page's top left, as the portal places it).
const boxOf = async (target, name) => (await (await target.$(`::-p-aria(${name})`))?.boundingBox()) ?? null;
const canvasBox = (target) => quietly(target, () => {
  const { x, y, width, height } = document.querySelector('#canvas').getBoundingClientRect();
  return { x, y, width, height };
});

// A point a fraction of the way across and down a box.
const at = (box, across = 0.5, down = 0.5) => [box.x + box.width * across, box.y + box.height * down];

// A finger down on the page: Input.dispatchTouchEvent, through puppeteer's touchscreen, which
// follows several at once. It moves and lifts on its own.
const finger = (page, [x, y]) => page.touchscreen.touchStart(x, y);
async function tap(page, point) {
  const down = await finger(page, point);
  await down.end();
}

// Two fingers GAP pixels either side of the point, spread STEP pixels further apart five times,
// then lifted: the pinch that zooms a page in.
async function pinch(page, [x, y], gap, step) {
  const left = await finger(page, [x - gap, y]);
  const right = await finger(page, [x + gap, y]);
  for (let spread = step; spread <= 5 * step; spread += step) {
    await left.move(x - gap - spread, y);
    await right.move(x + gap + spread, y);
  }
  await left.end();
  await right.end();
}

// The page's offer, once the game has loaded: to tap on a touch screen, to press a key or click
// elsewhere.
const offersToPlay = (target) =>
  awaitQuietly('offer to play', target, () => document.querySelector('#status').textContent.endsWith(' to play'));

// Two frames drawn after whatever the fingers did, so that the page shows all of it.
const settle = (page) => quietly(page, () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));

// The layout's shifts, as browsers weigh them, over the load, the offer to play, the controls
// showing and the game's start: none at all, as the layout is final from the first paint.
async function checkSteady(page) {
  assert.equal(await layoutShift(page), 0, 'the layout shifted');
}

const overlap = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;

// Every control shows, a thumb wide (48 CSS pixels at least), wholly on the screen and clear of
// the others; the arrows lie within the pad. Returns their boxes.
async function checkControlsFit(page, screen) {
  const boxes = {};
  for (const name of ['Steer', 'Up', 'Down', 'Left', 'Right', 'Fire', 'Pause', 'Full screen']) {
    const box = await boxOf(page, name);
    assert.ok(box, `${name} does not show`);
    assert.ok(box.width >= 48 && box.height >= 48, `${name} is ${box.width} x ${box.height}, narrower than a thumb`);
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= screen.width && box.y + box.height <= screen.height,
      `${name} runs off the screen`);
    boxes[name] = box;
  }
  const apart = ['Steer', 'Fire', 'Pause', 'Full screen'];
  for (const [i, a] of apart.entries())
    for (const b of apart.slice(i + 1)) assert.ok(!overlap(boxes[a], boxes[b]), `${a} and ${b} overlap`);
  for (const arrow of ['Up', 'Down', 'Left', 'Right'])
    assert.ok(overlap(boxes[arrow], boxes.Steer), `${arrow} lies outside the pad`);
  return boxes;
}

describe('a phone held sideways, played with two thumbs', () => {
  const step = steps();
  let game;
  let page;

  before(async () => {
    game = await openPage(undefined, sideways);
    page = game.page;
    await page.goto(game.url);
  });

  after(async () => game?.close());

  step('a tap starts the game: the level-1 intro, its jingle, and the screen kept awake', async () => {
    await offersToPlay(page);
    assert.equal(await soundsStarted(page), 0, 'a sound started before the first tap');
    await tap(page, at(await canvasBox(page)));
    await awaitShot(page, (shot) => showsIntro(shot, 1), 'level-1 intro');
    await awaitSoundBeyond(page, 0);
    await awaitAwake(page, true);
  });

  step('nothing on the page moved through the load and the first tap', () => checkSteady(page));

  step("the canvas fills the screen's height, and the controls fit beside it", async () => {
    const sea = await canvasBox(page);
    assert.ok(Math.abs(sea.height - sideways.height) <= 1, `the canvas is ${sea.height} high on a screen ${sideways.height} high`);
    const boxes = await checkControlsFit(page, sideways);
    for (const [name, box] of Object.entries(boxes)) assert.ok(!overlap(box, sea), `${name} covers the sea`);
  });

  // The submarine steers away from the squid, up or down, so that the squid cannot catch it
  // meanwhile; then Pause, a lone tap.
  step('a tap leaves the intro; one thumb steers diagonally while the other fires a torpedo, with its sound', async () => {
    const intro = await canvasShot(page);
    const start = findSprite(intro, submarine);
    assert.ok(start, 'no submarine in the intro');
    const squidAt = findSprite(intro, squid);
    const away = squidAt && squidAt.y < start.y ? 0.85 : 0.15;     // the pad's lower or upper right
    const steered = (now) => now && now.x > start.x + 10 && (away < 0.5 ? start.y - now.y : now.y - start.y) > 10;
    const sounds = await soundsStarted(page);
    await tap(page, at(await canvasBox(page)));
    const steering = await finger(page, at(await boxOf(page, 'Steer'), 0.85, away));
    await awaitShot(page, (shot) => steered(findSprite(shot, submarine)), 'submarine steered diagonally');
    const firing = await finger(page, at(await boxOf(page, 'Fire')));
    await awaitShot(page, (shot) => findSprite(shot, torpedo) !== null && steered(findSprite(shot, submarine)),
      'torpedo in play');
    await awaitSoundBeyond(page, sounds);
    await firing.end();
    await steering.end();
    await tap(page, at(await boxOf(page, 'Pause')));
  });

  // Should the torpedo have struck the squid, the next level's intro takes the first Pause; the
  // next one pauses. A lone tap on a button is what would give it the focus, and so pause the
  // game whatever was tapped, were a finger allowed to.
  step('Pause dims and freezes the scene, lets the screen sleep, and leaves the focus with the game', async () => {
    const pause = at(await boxOf(page, 'Pause'));
    const paused = await awaitShot(page, showsPause, 'pause', () => tap(page, pause));
    await awaitFrames(page, 10);
    assert.ok(Buffer.compare(paused.data, (await canvasShot(page)).data) === 0, 'the paused scene changed');
    await awaitAwake(page, false);
    assert.equal(await quietly(page, () => document.activeElement.id), 'canvas', 'a finger took the focus from the game');
  });

  step('hiding the page pauses the game and lets the screen sleep', async () => {
    await tap(page, at(await canvasBox(page)));
    await awaitShot(page, (shot) => !showsPause(shot), 'play after the pause');
    const other = await page.browser().newPage();
    await other.bringToFront();
    await awaitQuietly('hidden page', page, () => document.hidden);
    await awaitAwake(page, false);
    await page.bringToFront();
    await other.close();
    await awaitShot(page, showsPause, 'pause after the page was hidden');
  });

  // The keys as the canvas hears them, each once, not its repeats: the game's own key path.
  step('each finger holds its own keys: arrows, two at a diagonal, Space beside them, Escape; one sliding off lets go', async () => {
    await quietly(page, () => {
      window.keysHeard = [];
      for (const type of ['keydown', 'keyup'])
        document.querySelector('#canvas').addEventListener(type, (event) => {
          if (!event.repeat) window.keysHeard.push(`${type} ${event.code}`);
        });
    });
    const heard = (count) => awaitQuietly(`${count} keys heard`, page, (n) => window.keysHeard.length >= n, count);
    const pad = await boxOf(page, 'Steer');
    const thumb = await finger(page, at(pad, 0.5, 0.15));          // on the upper arm
    await heard(1);
    await thumb.move(...at(pad, 0.85, 0.15));                     // between the upper and right arms
    await heard(2);
    const other = await finger(page, at(await boxOf(page, 'Fire')));
    await heard(3);
    await other.end();
    await heard(4);
    await thumb.move(pad.x + pad.width + 40, pad.y);              // off the pad, onto the sea
    await heard(6);
    await thumb.end();
    await tap(page, at(await boxOf(page, 'Pause')));
    await heard(8);
    const keys = await quietly(page, () => window.keysHeard);
    const slidOff = keys.splice(4, 2).sort();                   // let go at once, in either order
    assert.deepEqual(keys, ['keydown ArrowUp', 'keydown ArrowRight', 'keydown Space', 'keyup Space',
      'keydown Escape', 'keyup Escape']);
    assert.deepEqual(slidOff, ['keyup ArrowRight', 'keyup ArrowUp']);
  });

  // Headless Chromium opens no menu and selects nothing on a long press, nor pulls to refresh,
  // even on a page that allows them, so those are not tried here.
  step('nothing scrolls or zooms: a pinch and a swipe on the sea', async () => {
    const [x, y] = at(await canvasBox(page));
    await pinch(page, [x, y], 40, 15);
    const swipe = await finger(page, [x, y + 100]);
    for (let step = 1; step <= 5; step++) await swipe.move(x - 40 * step, y + 100 - 40 * step);
    await swipe.end();
    await settle(page);
    assert.deepEqual(await quietly(page, () => [scrollX, scrollY, visualViewport.scale, visualViewport.offsetLeft,
      visualViewport.offsetTop]), [0, 0, 1, 0, 0]);
  });

  // Beside the sea, between the controls: the page itself, which people who need it may zoom.
  step('a pinch beside the sea zooms the page', async () => {
    const sea = await canvasBox(page);
    const [x, y] = [sea.x / 2, sideways.height / 2];
    await pinch(page, [x, y], 20, 10);
    await settle(page);
    const scale = await quietly(page, () => visualViewport.scale);
    assert.ok(scale > 1, `the page stayed at ${scale}`);
  });

  test('no page error or abort on the phone, and nothing fetched from outside the site', async () => {
    assert.deepEqual(game.errors, []);
    assert.deepEqual(game.requests.filter((url) => !url.startsWith(game.url)), []);
  });
});

describe('a phone held upright', () => {
  const step = steps();
  let game;
  let page;

  before(async () => {
    game = await openPage(undefined, upright);
    page = game.page;
    await page.goto(game.url);
  });

  after(async () => game?.close());

  step('a tap starts the game with its jingle', async () => {
    await offersToPlay(page);
    await tap(page, at(await canvasBox(page)));
    await awaitShot(page, (shot) => showsIntro(shot, 1), 'level-1 intro');
    await awaitSoundBeyond(page, 0);
  });

  step('nothing on the page moved through the load and the first tap', () => checkSteady(page));

  step('the canvas spans the width at the top, and the controls fit below it', async () => {
    const sea = await canvasBox(page);
    assert.ok(Math.abs(sea.width - upright.width) <= 1 && sea.y <= 1, `the canvas is ${sea.width} wide at ${sea.y}`);
    const boxes = await checkControlsFit(page, upright);
    for (const [name, box] of Object.entries(boxes)) assert.ok(box.y >= sea.y + sea.height, `${name} covers the sea`);
    assert.deepEqual(game.errors, []);
  });
});

// A game portal's page, on another site (localhost, where the game is at 127.0.0.1), that frames
// the game as portals do, granting it nothing: no autoplay.
describe("in a game portal's frame, on another origin", () => {
  let portal;

  before(async () => {
    portal = http.createServer((request, response) => {
      const game = new URL(request.url, 'http://localhost').searchParams.get('game');
      response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
      response.end(`<!doctype html><title>Portal</title><style>body { margin: 0 } iframe { border: 0;
        width: 100vw; height: 100vh }</style><iframe src="${game}" allow="fullscreen"></iframe>`);
    });
    await new Promise((listening) => portal.listen(0, '127.0.0.1', listening));
  });

  after(() => portal?.close());

  // The game's page in the portal's frame, on a screen of the given kind.
  async function openFramed(screen) {
    const game = await openPage(undefined, screen);
    await game.page.goto(`http://localhost:${portal.address().port}/?game=${encodeURIComponent(game.url)}`);
    const frame = game.page.frames().find((candidate) => candidate.url() === game.url);
    assert.ok(frame, 'the portal shows no frame of the game');
    return { game, frame };
  }

  test('a click in the frame starts the game with its jingle, and keys play it', async () => {
    const { game, frame } = await openFramed(desktop);
    try {
      await awaitQuietly('offer to play', frame, () => document.querySelector('#status').textContent.startsWith('Press'));
      await (await frame.$('#canvas')).click();
      await awaitShot(frame, (shot) => showsIntro(shot, 1), 'level-1 intro in the frame');
      await awaitSoundBeyond(frame, 0);
      await game.page.keyboard.press('Enter');
      await game.page.keyboard.press('Escape');
      await awaitShot(frame, showsPause, 'pause in the frame');
      assert.deepEqual(game.errors, []);
    } finally {
      await game.close();
    }
  });

  // Chromium's phone emulation does not reach a frame of another origin: the frame lays itself out
  // at a scale of its own, sees a mouse and no touch points. So the portal is shown on a touch
  // screen of a phone's size without it, where the frame's controls show at the first touch, as
  // on a laptop's touch screen.
  test('on a touch screen, a tap in the frame starts the game with its jingle, and its controls play it', async () => {
    const { game, frame } = await openFramed({ width: sideways.width, height: sideways.height, hasTouch: true });
    try {
      await offersToPlay(frame);
      await tap(game.page, at(await canvasBox(frame)));
      await awaitShot(frame, (shot) => showsIntro(shot, 1), 'level-1 intro in the frame');
      await awaitSoundBeyond(frame, 0);
      await tap(game.page, at(await canvasBox(frame)));
      const pause = at(await boxOf(frame, 'Pause'));
      await awaitShot(frame, showsPause, 'pause in the frame', () => tap(game.page, pause));
      assert.deepEqual(game.errors, []);
    } finally {
      await game.close();
    }
  });
});
