// Headless Chromium driven through the DevTools protocol over a pipe
// (--remote-debugging-pipe: no npm package), and a local HTTP server for
// the web files. Collects the page's console errors and uncaught
// exceptions.
import { spawn } from 'child_process';
import fs from 'fs';
import http from 'http';
import os from 'os';
import path from 'path';

const kTipos = {
  '.html': 'text/html; charset=utf-8', '.mjs': 'text/javascript', '.js': 'text/javascript',
  '.wasm': 'application/wasm', '.png': 'image/png', '.json': 'application/json',
};

// Serves the files of the folders given (the first that has the name) on
// 127.0.0.1; resolves to the server's address.
export function Servir(carpetas) {
  const servidor = http.createServer((pedido, respuesta) => {
    const nombre = decodeURIComponent(new URL(pedido.url, 'http://x').pathname).replace(/^\/+/, '');
    for (const c of carpetas) {
      const ruta = path.join(c, nombre);
      if (!ruta.startsWith(c) || !fs.existsSync(ruta) || !fs.statSync(ruta).isFile()) continue;
      respuesta.writeHead(200, { 'Content-Type': kTipos[path.extname(ruta)] ?? 'application/octet-stream' });
      respuesta.end(fs.readFileSync(ruta));
      return;
    }
    respuesta.writeHead(404);
    respuesta.end();
  });
  return new Promise((resolver) => servidor.listen(0, '127.0.0.1', () =>
    resolver({ url: `http://127.0.0.1:${servidor.address().port}/`, cerrar: () => servidor.close() })));
}

export class Navegador {
  static async Abrir(programa = process.env.RELIVO_CHROMIUM || '/usr/bin/chromium') {
    const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'relivo-chromium-'));
    const proceso = spawn(programa, [
      '--headless=new', '--remote-debugging-pipe', '--no-sandbox', '--disable-gpu',
      '--no-first-run', '--no-default-browser-check', '--disable-extensions',
      '--force-device-scale-factor=1', `--user-data-dir=${perfil}`, 'about:blank',
    ], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
    const n = new Navegador(proceso, perfil);
    const { targetInfos } = await n.Enviar('Target.getTargets');
    const pagina = targetInfos.find((t) => t.type === 'page');
    const { sessionId } = await n.Enviar('Target.attachToTarget', { targetId: pagina.targetId, flatten: true });
    n.sesion = sessionId;
    await n.Enviar('Runtime.enable', {}, sessionId);
    await n.Enviar('Page.enable', {}, sessionId);
    await n.Enviar('Log.enable', {}, sessionId);
    return n;
  }

  constructor(proceso, perfil) {
    this.proceso = proceso;
    this.perfil = perfil;
    this.siguiente = 0;
    this.pendientes = new Map();
    this.errores = [];
    this.alEvento = new Map();
    let resto = Buffer.alloc(0);
    proceso.stdio[4].on('data', (trozo) => {
      resto = Buffer.concat([resto, trozo]);
      for (let fin; (fin = resto.indexOf(0)) >= 0; resto = resto.subarray(fin + 1)) {
        this.#Recibir(JSON.parse(resto.subarray(0, fin).toString('utf8')));
      }
    });
  }

  #Recibir(m) {
    if (m.id !== undefined) {
      const p = this.pendientes.get(m.id);
      this.pendientes.delete(m.id);
      if (m.error) p.rechazar(new Error(`${p.metodo}: ${m.error.message}`));
      else p.resolver(m.result);
      return;
    }
    if (m.method === 'Runtime.consoleAPICalled' && (m.params.type === 'error' || m.params.type === 'warning')) {
      this.errores.push(`console.${m.params.type}: ${m.params.args.map((a) => a.value ?? a.description).join(' ')}`);
    } else if (m.method === 'Runtime.exceptionThrown') {
      const d = m.params.exceptionDetails;
      this.errores.push(`excepción: ${d.exception?.description ?? d.text}`);
    } else if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error') {
      this.errores.push(`log: ${m.params.entry.text} ${m.params.entry.url ?? ''}`);
    }
    this.alEvento.get(m.method)?.(m.params);
  }

  Enviar(metodo, params = {}, sessionId = this.sesion) {
    const id = ++this.siguiente;
    const mensaje = { id, method: metodo, params };
    if (sessionId) mensaje.sessionId = sessionId;
    return new Promise((resolver, rechazar) => {
      this.pendientes.set(id, { resolver, rechazar, metodo });
      this.proceso.stdio[3].write(JSON.stringify(mensaje) + '\0');
    });
  }

  async Ir(url) {
    const cargada = new Promise((r) => this.alEvento.set('Page.loadEventFired', r));
    await this.Enviar('Page.navigate', { url });
    await cargada;
  }

  // Evaluates an expression in the page (a promise is awaited); its value
  // as JSON. An exception in the page is thrown here.
  async Evaluar(expresion) {
    const r = await this.Enviar('Runtime.evaluate', {
      expression: expresion, awaitPromise: true, returnByValue: true, userGesture: true,
    });
    if (r.exceptionDetails) {
      throw new Error(r.exceptionDetails.exception?.description ?? r.exceptionDetails.text);
    }
    return r.result.value;
  }

  // A real mouse event at (x, y) of the viewport.
  Raton(type, x, y, extra = {}) {
    return this.Enviar('Input.dispatchMouseEvent', { type, x, y, button: 'left', ...extra });
  }

  // A real key event (keyDown, char, keyUp) to the focused element.
  Tecla(type, extra = {}) {
    return this.Enviar('Input.dispatchKeyEvent', { type, ...extra });
  }

  async Cerrar() {
    try {
      await Promise.race([this.Enviar('Browser.close', {}, undefined), new Promise((r) => setTimeout(r, 2000))]);
    } catch {
      // The browser closes its pipe as it goes.
    }
    if (this.proceso.exitCode === null && this.proceso.signalCode === null) {
      const salido = new Promise((r) => this.proceso.once('exit', r));
      this.proceso.kill();
      await salido;
    }
    // Chromium's helper processes may still write to the profile for a
    // moment after the browser has gone: retry, and leave a temporary
    // folder that will not go rather than fail a finished run.
    try {
      fs.rmSync(this.perfil, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
    } catch (e) {
      console.error(`no se pudo borrar ${this.perfil}: ${e.code}`);
    }
  }
}
