// Tells the page whether a canvas of the worker's own offers WebGL, so that the page's own thread
// need not make a WebGL context to know whether the game can draw.
postMessage(new OffscreenCanvas(1, 1).getContext('webgl') !== null);
