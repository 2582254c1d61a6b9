// What the page's tests read on the canvas: the game's pictures where the game draws them, its
// screens, and waits for a screen to show; and steps that stop their group after a failure.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import { canvasShot, patience, readPicture, repo, site } from './browser.mjs';

const picture = (name) => readPicture(path.join(repo, 'res', name));
export const submarine = picture('submarine.png');
export const squid = picture('squid.png');
export const torpedo = picture('torpedo.png');
export const levelCaption = picture('level.png');
export const scoreCaption = picture('score.png');
const numbers = picture('numbers.png');

export const sea = [20, 102, 126];          // the colour the game clears each frame to
// A colour under the pause's black at alpha 128, as the game blends it.
const dimmed = (colour) => colour.map((channel) => Math.floor((channel * 127 + 127) / 255));
export const near = (a, b, tolerance = 3) => a.every((channel, i) => Math.abs(channel - b[i]) <= tolerance);
export const pixel = (shot, x, y) => [...shot.data.subarray(4 * (y * shot.width + x), 4 * (y * shot.width + x) + 3)];

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
export const centredAt = (shot, image, x, y, options) =>
  showsAt(shot, image, x - Math.floor(image.width / 2), y - Math.floor(image.height / 2), options);

// The colour of the picture's opaque pixels that it has fewest of, and one place it is at.
function rarestColour(image) {
  const places = new Map();
  for (let at = 0; at < image.data.length; at += 4) {
    if (image.data[at + 3] !== 255) continue;
    const key = image.data.subarray(at, at + 3).join();
    if (!places.has(key)) places.set(key, { at: at / 4, count: 0 });
    places.get(key).count += 1;
  }
  const [key, { at }] = [...places].sort((a, b) => a[1].count - b[1].count)[0];
  return { colour: key.split(',').map(Number), x: at % image.width, y: Math.floor(at / image.width) };
}

// Where the picture's centre is on the canvas, dimmed if asked, or null where it does not show:
// tried wherever its rarest colour shows.
export function findSprite(shot, image, { dim = false } = {}) {
  const { colour, x: cx, y: cy } = rarestColour(image);
  const sought = dim ? dimmed(colour) : colour;
  for (let y = 0; y < shot.height; y++) {
    for (let x = 0; x < shot.width; x++) {
      const [left, top] = [x - cx, y - cy];
      if (near(pixel(shot, x, y), sought) && showsAt(shot, image, left, top, { dim }))
        return { x: left + Math.floor(image.width / 2), y: top + Math.floor(image.height / 2) };
    }
  }
  return null;
}

// One digit drawn at (x, y) from the ten cells of the number strip.
function showsDigit(shot, digit, x, y) {
  const cell = numbers.width / 10;
  const rect = [Math.floor(digit * cell), 0, Math.floor(cell), numbers.height];
  return showsAt(shot, numbers, x - Math.floor(numbers.width / 20), y - Math.floor(numbers.height / 2), { rect });
}

// The level intro: its caption at (300, 300) and the level's number at (500, 300).
export const showsIntro = (shot, level) => centredAt(shot, levelCaption, 300, 300) && showsDigit(shot, level, 500, 300);

// The pause: the scene dimmed in three corners at least (a squid may hide one), the bars bright.
export function showsPause(shot) {
  const corners = [[2, 2], [797, 2], [2, 597], [797, 597]];
  const dimCorners = corners.filter(([x, y]) => near(pixel(shot, x, y), dimmed(sea))).length;
  return dimCorners >= 3 && pixel(shot, 380, 300).every((c) => c > 180) && pixel(shot, 420, 300).every((c) => c > 180);
}

// Where the torpedo's centre is on the submarine's line, y = 300; -1 where there is none.
export function torpedoX(shot, dim) {
  const half = Math.floor(torpedo.width / 2);
  for (let x = half; x < shot.width - half; x++)
    if (centredAt(shot, torpedo, x, 300, { dim })) return x;
  return -1;
}

// The first screenshot of the canvas in target (a page or a frame) that passes the check,
// within the patience; after each that does not, poke, if given, acts on the page. The last
// screenshot of a failed wait is kept beside the site.
export async function awaitShot(target, check, what, poke = async () => {}) {
  const deadline = Date.now() + patience;
  let shot;
  for (;;) {
    shot = await canvasShot(target);
    if (check(shot)) return shot;
    if (Date.now() > deadline) break;
    await poke();
  }
  const kept = path.join(site, '..', `failed-${what.replaceAll(' ', '-')}.png`);
  fs.writeFileSync(kept, PNG.sync.write(shot));
  assert.fail(`no ${what} within ${patience / 1000} s; the last screenshot is ${kept}`);
}

// Steps run in order on one page: one that fails leaves the game where the next cannot start,
// so those after it in the group are skipped.
export function steps() {
  let failed = false;
  return (name, check) => test(name, async (t) => {
    if (failed) return t.skip('an earlier step failed');
    try {
      await check();
    } catch (error) {
      failed = true;
      throw error;
    }
  });
}
