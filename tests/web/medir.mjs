// Times of the web host in headless Chromium (not a test: run by hand):
// the demo page from navigation to its first finished picture, and plots
// of sen(x)*cos(y) at 100 and 400 intervals each way on a 636x476 surface.
//
//   node medir.mjs WEB_FOLDER
import path from 'path';
import { Navegador, Servir } from './navegador.mjs';

const carpeta = path.resolve(process.argv[2]);
const servidor = await Servir([carpeta, path.dirname(new URL(import.meta.url).pathname)]);
const n = await Navegador.Abrir();
try {
  const inicio = Date.now();
  await n.Ir(`${servidor.url}index.html`);
  await n.Evaluar(`new Promise((r) => {
    const s = document.getElementById('superficie');
    const mirar = () => (s.graficando ? s.graficando.then(r) : setTimeout(mirar, 5));
    mirar();
  })`);
  console.log(`primera imagen de la demostración: ${Date.now() - inicio} ms`);
  await n.Ir(`${servidor.url}prueba.html`);
  await n.Evaluar('window.listo.then(() => 1)');
  for (const intervalos of [100, 400]) {
    const ms = await n.Evaluar(`(async () => {
      const s = await Preparada(636, 476, 'sen(x)*cos(y)', ${intervalos - 1});
      const t = performance.now();
      await s.graficar();
      return performance.now() - t;
    })()`);
    console.log(`${intervalos} intervalos: ${Math.round(ms)} ms`);
  }
} finally {
  await n.Cerrar();
  servidor.cerrar();
}
