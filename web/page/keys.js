// The keys the page holds for the player, counted by who holds them: each finger on a touch
// control, each pad, and the keyboard. The game hears a key go down with its first holder and up
// with its last, as the keyboard's own, on the canvas, so that every rule stays the game's.
const canvas = document.querySelector('#canvas');
const holders = new Map();     // key code -> who holds it
const repeats = new Map();     // key code -> the timer that repeats it while held

function send(type, code, repeat = false) {
  canvas.dispatchEvent(new KeyboardEvent(type, { code, key: code, repeat, bubbles: true, cancelable: true }));
}

// A touch control lights while its key is held, whoever holds it.
function showHeld(code, shown) {
  for (const button of document.querySelectorAll(`[data-key="${code}"]`)) button.classList.toggle('held', shown);
}

const holdersOf = (code) => holders.get(code) ?? holders.set(code, new Set()).get(code);

export const holds = (holder, code) => holdersOf(code).has(holder);

// One that repeats is sent again while held, as a key held down repeats, and the game keeps its
// own pace between shots. Escape stops every repeat, as a new key does on a keyboard: a repeat
// is a key the pause would take as the player's, to leave it at once.
export function hold(holder, code, repeating = false) {
  const holding = holdersOf(code);
  holding.add(holder);
  if (code === 'Escape') {
    for (const timer of repeats.values()) clearInterval(timer);
    repeats.clear();
  }
  if (repeating && !repeats.has(code)) repeats.set(code, setInterval(() => send('keydown', code, true), 100));
  if (holding.size > 1) return;
  send('keydown', code);
  showHeld(code, true);
}

function release(code) {
  holdersOf(code).clear();
  clearInterval(repeats.get(code));
  repeats.delete(code);
  send('keyup', code);
  showHeld(code, false);
}

export function letGo(holder, code) {
  const holding = holdersOf(code);
  if (!holding.delete(holder) || holding.size > 0) return;
  release(code);
}

export function letGoAll(holder) {
  for (const [code, holding] of holders) if (holding.has(holder)) letGo(holder, code);
}

// The keyboard's keys reach the game straight from the browser; counted here too, one it lets go
// of stays down in the game while a finger or a pad still holds it, and theirs while it does.
addEventListener('keydown', (event) => {
  if (event.isTrusted && event.target === canvas) holdersOf(event.code).add('keyboard');
}, true);
addEventListener('keyup', (event) => {
  if (!event.isTrusted) return;
  const holding = holdersOf(event.code);
  holding.delete('keyboard');
  if (holding.size > 0 && event.target === canvas) event.stopImmediatePropagation();
}, true);

// The game lets go of every key when the canvas loses the focus, and hears none go up after it:
// so does the count, so that the next press of any key reaches the game again.
canvas.addEventListener('blur', () => {
  for (const [code, holding] of holders) if (holding.size > 0) release(code);
});
