// Grimfathom's page: loads the game and starts it at the player's first key or touch, keeps the
// screen awake while the game plays, and keeps the site for playing offline. (The page's style
// scales the canvas.)
import { followControls, followSea } from './touch.js';

const canvas = document.querySelector('#canvas');
const status = document.querySelector('#status');

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

// The game's own start-up, its globals, makes the canvas's WebGL context and the audio context:
// the longest piece of work of the load, which kept the page from answering and turned the
// canvas black, before a gesture that the game must wait for anyway to start or to play sound.
// So once the program is compiled and its files are in, a run dependency of Emscripten's own
// holds the runtime, and the player's first key or touch lifts it: the start-up, the game's
// start and its first frame then come in that one task, over the poster.
const gesture = "the player's first key or touch";
let loaded = false;       // the program and its files are in: the gesture alone holds the runtime
let ready = false;        // and the browser offers WebGL: the game may start
let asked = false;
function holdForGesture() {
  // Told of every dependency added or lifted, this one first: the files may be in already.
  // What follows waits for the answer about WebGL, and so runs out of Emscripten's bookkeeping.
  Module.monitorRunDependencies = (left) => {
    if (left > 1 || loaded) return;
    loaded = true;
    drawable.then((offered) => {
      if (!offered) return;
      ready = true;
      status.textContent = document.documentElement.classList.contains('touch') ? 'Tap to play' : 'Press a key or click to play';
      keepForOffline();
      start();              // for a gesture that came first
    });
  };
  Module.addRunDependency(gesture);
}

function start() {
  if (!ready || !asked) return;
  status.hidden = true;
  canvas.focus();
  Module.removeRunDependency(gesture);
}

// A browser lets a page play sound only from a key, a click or the end of a touch: a finger's
// pointerdown comes before the browser counts the touch as the player's. The game starts then,
// and makes its audio context, which its first sound, the level's jingle, starts.
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
  preRun: [holdForGesture],     // an array: the packed files' loader adds its own step to it
  onRuntimeInitialized() {
    Module.callMain([]);
    followSea();
    keepAwake(true);
  },
  onAbort(what) {
    status.hidden = false;
    status.textContent = 'The game stopped: ' + what;
  },
};

followControls();
addEventListener('keydown', firstGesture);
addEventListener('pointerup', firstGesture);

// Whether the browser offers WebGL, which the game draws with, asked of a canvas of its own: the
// game's canvas must get its context from the game, without alpha. Making a WebGL context is a
// long moment's work on a slow phone, so a worker asks where the browser lets one (webgl.js);
// the page asks itself only where the worker could not say yes. The game loads meanwhile.
function offersWebGL() {
  const here = () => document.createElement('canvas').getContext('webgl') !== null;
  if (typeof OffscreenCanvas === 'undefined') return Promise.resolve(here());
  const worker = new Worker('webgl.js');
  return new Promise((resolve) => {
    worker.onmessage = (event) => resolve(event.data === true || here());
    worker.onerror = () => resolve(here());
  }).finally(() => worker.terminate());
}
const drawable = offersWebGL();
drawable.then((offered) => {
  if (!offered) status.textContent = 'This browser offers the page no WebGL, which the game draws with.';
});

const program = document.createElement('script');
program.src = 'grimfathom.js';
program.onerror = () => { status.textContent = 'The game could not be loaded: check the connection and reload the page.'; };
document.body.append(program);

