// The gamepads, through the browser's Gamepad API: each pad's stick, d-pad and buttons hold the
// keyboard's keys for the game, as the touch controls do, looked at once a frame while one is there.
import { hold, holds, letGo, letGoAll } from './keys.js';

const canvas = document.querySelector('#canvas');

// The buttons' keys, by the standard layout's numbers. The other face buttons are "any key" to
// the game through Enter, which does nothing in play.
const buttonKeys = [
  [0, 'Space'], [7, 'Space'],                    // the bottom face button and the right trigger fire
  [1, 'Enter'], [2, 'Enter'], [3, 'Enter'],
  [9, 'Escape'],                                 // Start
  [12, 'ArrowUp'], [13, 'ArrowDown'], [14, 'ArrowLeft'], [15, 'ArrowRight'],    // the d-pad
];
// A pad without the standard layout gets its first two axes and first ten buttons read the same
// way, where most such pads have the same controls; its d-pad, an axis or a hat whose values
// differ from pad to pad, is left alone, and so are the buttons after the tenth.
const firstButtonKeys = buttonKeys.filter(([button]) => button < 10);
const padCodes = new Set(buttonKeys.map(([, code]) => code));

// Such pads often have their buttons numbered from 1 on them.
const notices = {
  standard: 'Pad ready: stick or d-pad steers · bottom button fires · Start pauses',
  other: 'Pad ready: stick steers · button 1 fires · button 10 pauses',
};

// Each control of the pad: a name, how far it is pushed from 0 to 1, and the key it holds.
function controlsOf(pad) {
  const controls = [];
  for (const [axis, less, more] of [[0, 'ArrowLeft', 'ArrowRight'], [1, 'ArrowUp', 'ArrowDown']]) {
    const value = pad.axes[axis] ?? 0;
    controls.push([`axis ${axis} ${less}`, -value, less], [`axis ${axis} ${more}`, value, more]);
  }
  for (const [button, code] of pad.mapping === 'standard' ? buttonKeys : firstButtonKeys) {
    const { value = 0, pressed = false } = pad.buttons[button] ?? {};
    controls.push([`button ${button}`, value || (pressed ? 1 : 0), code]);
  }
  return controls;
}

const pads = new Map();     // pad index -> { pushed: the names of the controls pushed at the last look, idle }
const holderOf = (index) => `pad ${index}`;

// A control counts as pushed past half way, and as let go only back under a quarter: a resting
// stick reads a little off its centre, and one near the edge of the dead zone would otherwise
// flicker its key. The stick's two axes each hold their arrow, two of them a diagonal.
function pushedControls(pad, before) {
  const pushed = new Map();       // name -> key code
  for (const [name, level, code] of controlsOf(pad))
    if (level > (before.has(name) ? 0.25 : 0.5)) pushed.set(name, code);
  return pushed;
}

// The pad plays while the canvas has the focus. Once the game has lost it, the pad lets go of
// everything and waits for a fresh push, which takes the focus back as a tap on the sea does:
// a stick or button still held from before neither plays nor leaves the pause on its own.
// Before the player's first key, click or tap the pad waits too: the browser counts no pad's
// button as one, and the game it started would stay silent.
function look(pad) {
  const holder = holderOf(pad.index);
  const state = pads.get(pad.index) ?? { pushed: new Map(), idle: false };
  const pushed = pushedControls(pad, state.pushed);
  const fresh = [...pushed.keys()].some((name) => !state.pushed.has(name));
  state.pushed = pushed;
  pads.set(pad.index, state);
  const present = !document.hidden && document.hasFocus() && (navigator.userActivation?.hasBeenActive ?? true);
  const playing = present && document.activeElement === canvas;
  if (!playing && !(present && fresh)) state.idle = true;
  else if (fresh) state.idle = false;
  if (state.idle) return letGoAll(holder);
  if (!playing) canvas.focus();
  const codes = new Set(pushed.values());
  for (const code of codes) if (!holds(holder, code)) hold(holder, code, code === 'Space');
  for (const code of padCodes) if (!codes.has(code)) letGo(holder, code);
}

function forget(index) {
  letGoAll(holderOf(index));
  pads.delete(index);
}

function standDown() {
  for (const [index, state] of pads) {
    letGoAll(holderOf(index));
    state.idle = true;
  }
}

// The browser's pads, or none where it refuses them: a portal's frame may not be allowed them.
function connectedPads() {
  try {
    return [...(navigator.getGamepads?.() ?? [])].filter((pad) => pad?.connected);
  } catch {
    return [];
  }
}

// Looked at once a frame, the browser's own pace for them, while any pad is connected.
let looking = false;
function lookAtPads() {
  const connected = connectedPads();
  for (const pad of connected) look(pad);
  for (const index of pads.keys()) if (!connected.some((pad) => pad.index === index)) forget(index);
  looking = connected.length > 0;
  if (looking) requestAnimationFrame(lookAtPads);
}

function startLooking() {
  if (looking) return;
  looking = true;
  requestAnimationFrame(lookAtPads);
}

// A line over the top of the page, in its colours, with what the pad does, fading away; there is
// nothing to answer or set.
function tell(pad) {
  document.querySelector('#pad-notice')?.remove();
  const notice = document.createElement('div');
  notice.id = 'pad-notice';
  notice.setAttribute('role', 'status');
  notice.textContent = pad.mapping === 'standard' ? notices.standard : notices.other;
  Object.assign(notice.style, {
    position: 'fixed', top: '8px', left: '50%', transform: 'translateX(-50%)', width: 'max-content',
    maxWidth: '90vw', textAlign: 'center', padding: '8px 16px', background: 'rgba(5, 20, 26, 0.85)',
    pointerEvents: 'none',
  });
  document.body.append(notice);
  notice.animate([{ opacity: 1 }, { opacity: 1, offset: 0.75 }, { opacity: 0 }], 5000).finished
    .then(() => notice.remove(), () => {});
}

// Where the browser refuses the pads, as a portal's frame may, no pad connects and the page plays
// as it does without; a pad connected before the page loaded is looked at from the start.
addEventListener('gamepadconnected', (event) => {
  tell(event.gamepad);
  startLooking();
});
addEventListener('gamepaddisconnected', (event) => forget(event.gamepad.index));
addEventListener('blur', standDown);
canvas.addEventListener('blur', standDown);
document.addEventListener('visibilitychange', () => { if (document.hidden) standDown(); });
if (connectedPads().length > 0) startLooking();
