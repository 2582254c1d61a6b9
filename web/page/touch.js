// The touch controls: each finger on a control holds the keys under it, and the game hears them
// as the keyboard's, on the canvas, so that every rule stays the game's.
import { hold, letGo } from './keys.js';

const page = document.documentElement;
const canvas = document.querySelector('#canvas');
const pad = document.querySelector('#pad');
const fingers = new Map();     // pointer id -> the key codes that finger holds

// The keys a finger at (x, y) holds: on a button, its key while the finger is on it; on the
// pad, the arrow it points to from the hub, or the two between two arms, as two keys held
// steer diagonally. A finger that slides off a control holds nothing.
function keysUnder(control, x, y) {
  const box = control.getBoundingClientRect();
  const across = (x - box.left) / box.width - 0.5;      // -0.5 to 0.5 over the control
  const down = (y - box.top) / box.height - 0.5;
  if (Math.abs(across) > 0.5 || Math.abs(down) > 0.5) return [];
  if (control !== pad) return [control.dataset.key];
  if (Math.hypot(across, down) < 0.1) return [];        // on the hub
  const keys = [];
  // Eight ways of 45 degrees each: an arrow within 67.5 degrees of its own direction.
  if (Math.abs(across) > 0.414 * Math.abs(down)) keys.push(across < 0 ? 'ArrowLeft' : 'ArrowRight');
  if (Math.abs(down) > 0.414 * Math.abs(across)) keys.push(down < 0 ? 'ArrowUp' : 'ArrowDown');
  return keys;
}

function follow(event, control) {
  const lifted = event.type === 'pointerup' || event.type === 'pointercancel';
  const keys = lifted ? [] : keysUnder(control, event.clientX, event.clientY);
  const before = fingers.get(event.pointerId) ?? [];
  const holder = `finger ${event.pointerId}`;
  for (const key of keys) if (!before.includes(key)) hold(holder, key, control.hasAttribute('data-repeat'));
  for (const key of before) if (!keys.includes(key)) letGo(holder, key);
  if (keys.length > 0) fingers.set(event.pointerId, keys);
  else fingers.delete(event.pointerId);
}

// Each control follows the fingers that came down on it, wherever they move, until they lift.
function followFingers(control) {
  control.addEventListener('pointerdown', (event) => {
    control.setPointerCapture(event.pointerId);
    follow(event, control);
  });
  for (const type of ['pointermove', 'pointerup', 'pointercancel'])
    control.addEventListener(type, (event) => follow(event, control));
}

// Full screen and back, where the browser allows it: a frame may not, and some phones have none.
// Asked when the finger lifts, the moment the browser counts as the player's.
function offerFullScreen() {
  const button = document.querySelector('#fullscreen');
  button.hidden = !document.fullscreenEnabled;
  button.addEventListener('pointerup', () => {
    const asked = document.fullscreenElement ? document.exitFullscreen() : page.requestFullscreen({ navigationUI: 'hide' });
    asked.catch(() => {});     // refused: the page stays as it was
  });
}

// The controls show on a device whose main pointer is a finger (the page marks it before its
// first paint), or at the first touch on any other. Neither a finger nor a pointer on a control
// moves the focus: the canvas keeps it, so that losing it still means the player left the game.
// Nor does a long press open a menu.
export function followControls() {
  addEventListener('pointerdown', (event) => {
    const finger = event.pointerType !== 'mouse';
    if (finger) page.classList.add('touch');
    if (finger || event.target.closest('#controls')) event.preventDefault();
  });
  addEventListener('contextmenu', (event) => {
    if (page.classList.contains('touch')) event.preventDefault();
  });
  for (const control of [pad, document.querySelector('#fire'), document.querySelector('#pause')])
    followFingers(control);
  offerFullScreen();
}

// Once the game runs, a finger on the sea is a key the game has no use for in play: it leaves
// the intro, the pause and the results as any key does.
export function followSea() {
  canvas.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'mouse') return;
    canvas.focus();
    hold('sea', 'Enter');
    letGo('sea', 'Enter');
  });
}
