// Loads the WebAssembly module of the web host in Node. The module is built
// for the browser as an ES module; in Node it reads its .wasm from the
// folder given and finds Node's require where it expects it.
import { createRequire } from 'module';
import fs from 'fs';
import path from 'path';
import { pathToFileURL } from 'url';

export async function cargarModulo(carpeta) {
  globalThis.require ??= createRequire(import.meta.url);
  globalThis.__dirname ??= carpeta;
  const { default: RelivoModulo } = await import(pathToFileURL(path.join(carpeta, 'relivo.mjs')));
  return RelivoModulo({ wasmBinary: fs.readFileSync(path.join(carpeta, 'relivo.wasm')) });
}
