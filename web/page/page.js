// Grimfathom's page: loads the game and starts it at the player's first key or touch, scales the
// canvas, keeps the screen awake while the game plays, and keeps the site for playing offline.
import { followControls, followSea } from './touch.js';

const canvas = document.querySelector('#canvas');
const status = document.querySelector('#status');

// The canvas keeps its 800 x 600 pixels; only what the page shows of them is scaled, to the
// room the layout gives it, which changes when the controls show or the phone turns.
function fit() {
  const area = canvas.parentElement;
  const scale = Math.min(area.clientWidth / 800, area.clientHeight / 600);
  canvas.style.width = 800 * scale + 'px';
  canvas.style.height = 600 * scale + 'px';
}

// The screen stays on from the game's start and from every key after it (the touch controls'
// too) until Escape, a lost focus or a hidden page, as the game pauses. Where the browser has
// no wake lock, or refuses one, the screen dims as it would.
let wakeLock = null;      // the request, while one is held or asked for
function keepAwake(wanted) {
  if (!navigator.wakeLock || wanted === (wakeLock !== null)) return;
  if (wanted) {
    wakeLock = navigator.wakeLock.request('screen').catch(() => null);
  } else {
    wakeLock.then((lock) => lock?.release());
    wakeLock = null;
  }
}
canvas.addEventListener('keydown', (event) => keepAwake(event.code !== 'Escape'));
canvas.addEventListener('blur', () => keepAwake(false));
document.addEventListener('visibilitychange', () => { if (document.hidden) keepAwake(false); });

// Keeps this version's files for playing without a connection, once the game has loaded them:
// the worker then finds them in the browser's cache. Where a page may not have a service worker
// (a browser keeping nothing for a game portal's frame, say), it plays from the network as before.
function keepForOffline() {
  navigator.serviceWorker?.register('sw.js').catch(() => {});
}

let loaded = false;
let asked = false;
function start() {
  if (!loaded || !asked) return;
  status.hidden = true;
  canvas.focus();
  Module.callMain([]);
  followSea();
  keepAwake(true);
}

// A browser lets a page play sound only from a key, a click or the end of a touch: a finger's
// pointerdown comes before the browser counts the touch as the player's. The game starts then,
// and its first sound, the level's jingle, starts the audio context it made as it loaded.
// (Emscripten's own resume of it, at the first touchstart, comes too early on a phone.)
function firstGesture(event) {
  removeEventListener('keydown', firstGesture);
  removeEventListener('pointerup', firstGesture);
  if (event.type === 'keydown') event.preventDefault();
  asked = true;
  start();
}

window.Module = {
  canvas,
  onRuntimeInitialized() {
    loaded = true;
    status.textContent = document.documentElement.classList.contains('touch') ? 'Tap to play' : 'Press a key or click to play';
    start();
    keepForOffline();
  },
  onAbort(what) {
    status.hidden = false;
    status.textContent = 'The game stopped: ' + what;
  },
};

new ResizeObserver(fit).observe(canvas.parentElement);
followControls();
addEventListener('keydown', firstGesture);
addEventListener('pointerup', firstGesture);

// Asked of a canvas of its own: the game's canvas must get its context from the game, without alpha.
if (document.createElement('canvas').getContext('webgl')) {
  const program = document.createElement('script');
  program.src = 'grimfathom.js';
  program.onerror = () => { status.textContent = 'The game could not be loaded: check the connection and reload the page.'; };
  document.body.append(program);
} else {
  status.textContent = 'This browser offers the page no WebGL, which the game draws with.';
}

