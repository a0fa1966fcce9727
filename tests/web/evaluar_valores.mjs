// The engine's value tests against the WebAssembly build, in Node: the
// requests of tests/data (evaluar_casos.jsonl and the recorded corpus
// evaluar_in.jsonl) answered as `relivo evaluar --lote` answers them, and
// the table funcion.tsv. Texts, variables, error numbers, messages and
// events must be the same; a result may differ by a few units in the last
// place, only when the expression calls a function of the math library
// (the C library of WebAssembly rounds tan and pow differently in rare
// cases).
//
//   node evaluar_valores.mjs MODULE_FOLDER DATA_FOLDER
import { cargarModulo } from './cargar_modulo.mjs';
import fs from 'fs';
import path from 'path';

const [carpetaModulo, datos] = process.argv.slice(2);
const M = await cargarModulo(carpetaModulo);

const kUlpMaximos = 4;
const kFuncionesDeLaBiblioteca = /[a-z]{2,}|\^/i;
let fallos = 0;
let casos = 0;
const conUlp = [];

function fallo(donde, mensaje) {
  ++fallos;
  if (fallos <= 30) console.log(`FALLO ${donde}: ${mensaje}`);
}

// Distance in units in the last place between two doubles of the same sign.
function ulps(a, b) {
  const v = new DataView(new ArrayBuffer(16));
  v.setFloat64(0, a);
  v.setFloat64(8, b);
  if (Math.sign(a) !== Math.sign(b)) return Infinity;
  return Number(BigInt.asIntN(64, v.getBigInt64(0) - v.getBigInt64(8)) < 0n
    ? v.getBigInt64(8) - v.getBigInt64(0) : v.getBigInt64(0) - v.getBigInt64(8));
}

function lineas(archivo) {
  return fs.readFileSync(archivo, 'utf8').split('\n').filter((l) => l.length > 0);
}

// One request, as the command line's batch runs it.
function responder(p) {
  const ev = new M.EvaluarNativo();
  const eventos = [];
  ev.alError = (NumError, DescrError) => eventos.push({ NumError, DescrError });
  ev.funcion = p.funcion;
  for (const [variable, texto] of p.substituir ?? []) ev.substituir(variable, texto);
  for (const [variable, valor] of p.valores ?? []) ev.fijarValor(variable, valor);
  const variables = [];
  for (let i = 1; i <= ev.numeroVariables; ++i) variables.push(ev.variable(i));
  const r = {
    funcion: ev.funcion, variables, resultado: ev.resultado,
    numeroError: ev.numeroError, error: ev.error, eventos,
  };
  ev.delete();
  return r;
}

function compararLote(entrada, salida) {
  const pedidas = lineas(path.join(datos, entrada));
  const grabadas = lineas(path.join(datos, salida));
  if (pedidas.length !== grabadas.length) fallo(entrada, 'líneas distintas');
  pedidas.forEach((linea, i) => {
    ++casos;
    const p = JSON.parse(linea);
    const esperado = JSON.parse(grabadas[i]);
    delete esperado.avisos;
    const obtenido = responder(p);
    const donde = `${entrada}:${i + 1} ${linea}`;
    if (obtenido.resultado !== esperado.resultado) {
      const d = ulps(obtenido.resultado, esperado.resultado);
      if (d <= kUlpMaximos && kFuncionesDeLaBiblioteca.test(p.funcion)) {
        conUlp.push(`${donde}: ${obtenido.resultado} / ${esperado.resultado} (${d} ulp)`);
      } else {
        fallo(donde, `resultado ${obtenido.resultado}, grabado ${esperado.resultado}`);
      }
      obtenido.resultado = esperado.resultado;
    }
    const a = JSON.stringify(obtenido);
    const b = JSON.stringify(esperado);
    if (a !== b) fallo(donde, `\n  obtenido ${a}\n  grabado  ${b}`);
  });
}

// A field of a table: "\t", "\\" and "\xNN" (a byte) decoded.
function campo(texto) {
  const bytes = [];
  const utf8 = new TextEncoder();
  for (let i = 0; i < texto.length; ++i) {
    if (texto[i] !== '\\' || i + 1 === texto.length) {
      bytes.push(...utf8.encode(texto[i]));
    } else if (texto[i + 1] === 'x' && i + 3 < texto.length) {
      bytes.push(parseInt(texto.substr(i + 2, 2), 16));
      i += 3;
    } else {
      bytes.push(...utf8.encode(texto[i + 1] === 't' ? '\t' : texto[i + 1]));
      ++i;
    }
  }
  return new Uint8Array(bytes);
}

const kTexto = new TextDecoder();

// Text given to Funcion, then the text Funcion gives back and the variables
// in order, or "!N" and the message (when not empty) of a refused text.
function compararFuncion() {
  lineas(path.join(datos, 'funcion.tsv')).forEach((linea, i) => {
    if (linea.startsWith('#')) return;
    ++casos;
    const f = linea.split('\t').map(campo);
    const esperado = f.map((c) => kTexto.decode(c));
    const ev = new M.EvaluarNativo();
    const eventos = [];
    ev.alError = (n, t) => eventos.push([n, t]);
    ev.funcion = 'x+1';
    ev.funcion = f[0];
    const variables = [];
    for (let k = 1; k <= ev.numeroVariables; ++k) variables.push(ev.variable(k));
    const donde = `funcion.tsv:${i + 1}`;
    if (ev.numeroError === 0) {
      if (ev.funcion !== esperado[1]) fallo(donde, `${ev.funcion}, esperado ${esperado[1]}`);
      if (variables.join(',') !== (esperado[2] ?? '')) fallo(donde, `variables ${variables}`);
      if (eventos.length) fallo(donde, 'un evento Error de más');
    } else {
      if (`!${ev.numeroError}` !== esperado[1]) fallo(donde, `error ${ev.numeroError}`);
      const mensaje = esperado[2] || ev.error;
      if (eventos.length !== 1 || eventos[0][0] !== ev.numeroError || eventos[0][1] !== mensaje) {
        fallo(donde, `eventos ${JSON.stringify(eventos)}`);
      }
      if (ev.funcion + variables.join('') !== '') fallo(donde, 'queda una expresión');
    }
    ev.delete();
  });
}

compararLote('evaluar_casos.jsonl', 'recorded/evaluar_casos_out.jsonl');
compararLote('recorded/evaluar_in.jsonl', 'recorded/evaluar_out.jsonl');
compararFuncion();
for (const l of conUlp) console.log(`ulp: ${l}`);
console.log(`${casos} casos, ${fallos} fallos, ${conUlp.length} resultados a pocos ulp`);
process.exit(fallos === 0 ? 0 : 1);
