// Serves a folder on loopback, for `make serve-web` and for the page's test and benchmark.
// Usage: node web/serve.mjs FOLDER [PORT]
import fs from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

// The browser compiles the .wasm as it downloads only when it comes as application/wasm.
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.png': 'image/png', '.data': 'application/octet-stream', '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
};
// What a static host compresses: text and the .wasm, not the pictures or the packed .data.
const compressed = new Set(['.html', '.js', '.wasm', '.webmanifest', '.txt']);

// Resolves to the listening server; port 0 takes any free port. As static hosts do, it tags
// each file with its size and time of change, and answers "not modified" to a browser that
// already has the file so tagged. Asked to serve as a static host, it also gzips what such a
// host compresses for a browser that accepts it, and lets the browser keep files ten minutes.
export function serve(folder, port = 0, { asHost = false } = {}) {
  const server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://loopback').pathname);
    // normalize resolves any ".." against the root, so nothing outside the folder is served
    const file = path.join(folder, path.normalize(name.endsWith('/') ? name + 'index.html' : name));
    try {
      const { size, mtimeMs } = await fs.stat(file);
      const tag = `"${size}-${mtimeMs}"`;
      if (request.headers['if-none-match'] === tag) return response.writeHead(304).end();
      let body = await fs.readFile(file);
      const headers = { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream', ETag: tag };
      if (asHost) {
        headers['Cache-Control'] = 'max-age=600';
        headers.Vary = 'Accept-Encoding';
        if (compressed.has(path.extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
          body = gzipSync(body, { level: 9 });
          headers['Content-Encoding'] = 'gzip';
        }
      }
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [folder, port = '8000'] = process.argv.slice(2);
  const server = await serve(folder, Number(port));
  console.log(`Grimfathom is served at http://127.0.0.1:${server.address().port}/ (Ctrl-C stops)`);
}
