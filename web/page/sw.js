// Keeps every file of this version of the site and serves them from there, so that once visited
// the game plays without a connection. web/build-site.sh writes `version` (a hash of the site's
// files) and `files` above these lines: a new version is a new worker, which takes the new files
// at the next visit, takes over and drops the old ones, rather than serving them forever.
const kept = `grimfathom ${self.registration.scope} `;     // this site's caches, whoever else shares the origin
const cacheName = kept + version;

self.addEventListener('install', (event) => {
  // Checked with the server, since the browser's own cache may hold the old version's; what has
  // not changed comes from that cache, where the page's own visit just put it.
  const fresh = files.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  const old = (name) => name.startsWith(kept) && name !== cacheName;
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The site's folder is its index.html; what was not kept goes to the network.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  const asked = url.pathname.endsWith('/') ? new URL('index.html', url) : event.request;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(asked))
    .then((found) => found ?? fetch(event.request)));
});
