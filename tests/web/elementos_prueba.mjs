// The elements in headless Chromium, on pages served from 127.0.0.1: the
// plots of the recorded corpus (tests/data/recorded, made by `relivo
// graficar --sin-rotulos --traza`) give the same pixels and the same
// events; Continuar resumes a run; a cancel ends a large plot at the next
// yield; a drag turns the surface; the engine's error texts are Spanish;
// the page logs no error.
//
//   node elementos_prueba.mjs WEB_FOLDER DATA_FOLDER [PATTERN]
//
// PATTERN (a regular expression) runs only the cases whose names match.
import fs from 'fs';
import path from 'path';
import { Navegador, Servir } from './navegador.mjs';

const [carpetaWeb, datos] = process.argv.slice(2, 4).map((c) => path.resolve(c));
const kFiltro = new RegExp(process.argv[4] ?? '');
const servidor = await Servir([carpetaWeb, path.dirname(new URL(import.meta.url).pathname), datos]);
const n = await Navegador.Abrir();
let fallos = 0;
let casos = 0;

async function Caso(nombre, prueba) {
  if (!kFiltro.test(nombre)) return;
  ++casos;
  try {
    await prueba();
    console.log(`ok    ${nombre}`);
  } catch (e) {
    ++fallos;
    console.log(`FALLO ${nombre}: ${e.message}`);
  }
}

function Igual(obtenido, esperado, que) {
  const a = JSON.stringify(obtenido);
  const b = JSON.stringify(esperado);
  if (a !== b) throw new Error(`${que}:\n  obtenido ${a.slice(0, 1500)}\n  esperado ${b.slice(0, 1500)}`);
}

// The test picture of the surface scripts (tests/support/script.h): 3 x 2
// colour values.
const kImagenDePrueba = [0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF];

async function Pagina(nombre) {
  await n.Ir(servidor.url + nombre);
  await n.Evaluar('(window.listo ?? customElements.whenDefined("relivo-superficie")).then(() => true)');
}

try {
  await Pagina('prueba.html');
  const kCarpeta = path.join(datos, 'recorded');
  const kEstados = fs.readFileSync(path.join(kCarpeta, 'graficar_estados.txt'), 'utf8');
  const lineas = fs.readFileSync(path.join(kCarpeta, 'graficar_casos.jsonl'), 'utf8').split('\n').filter(Boolean);
  for (const [k, linea] of lineas.entries()) {
    const nombre = `graficar_${k + 1}`;
    // A usage error of the command line never reaches the control.
    if (kEstados.includes(`${nombre} 2\n`)) continue;
    await Caso(`${nombre} ${linea}`, async () => {
      const r = await n.Evaluar(`Graficar(${linea})`);
      const traza = JSON.parse(fs.readFileSync(path.join(kCarpeta, `${nombre}.json`), 'utf8'));
      Igual(r.eventos, traza.eventos, 'eventos');
      Igual([r.ZMin, r.ZMax, r.numeroError, r.error],
            [traza.ZMin, traza.ZMax, traza.numeroError, traza.error], 'ZMin, ZMax, error');
      // A failed run leaves its picture as an incomplete one, or none.
      const png = [`${nombre}.png`, `${nombre}.incompleta.png`].find((f) => fs.existsSync(path.join(kCarpeta, f)));
      if (!png && r.numeroError === 0) throw new Error('sin imagen grabada');
      const d = png ? await n.Evaluar(`Diferencias("recorded/${png}")`) : 0;
      if (d !== 0) throw new Error(`${d} píxeles distintos`);
    });
  }

  await Caso('una expresión errónea da su texto en español', async () => {
    Igual(await n.Evaluar(`(async () => {
      const ev = await Evaluar.Crear();
      const vistos = [];
      ev.addEventListener('Error', (e) => vistos.push(e.detail));
      ev.funcion = 'sen(x';
      return [ev.numeroError, ev.error, vistos];
    })()`), [-2147221501, 'Falta un paréntesis derecho.', [{ NumError: -2147221501, DescrError: 'Falta un paréntesis derecho.' }]], 'Evaluar');
  });

  await Caso('Continuar sigue tras un error de evaluación', async () => {
    // 1/x on 6 and on 8 intervals of [-3, 3] samples x = 0.
    const r = await n.Evaluar(`(async () => {
      const s = await Preparada(156, 116, '1/x', 5);
      let continuar = false;
      s.addEventListener('Error', (e) => { e.detail.Continuar = continuar; });
      const vistos = Grabar(s);
      const resumen = () => [vistos.filter((e) => e.evento === 'Error').length,
                             vistos.some((e) => e.evento === 'TerminoGraficacion')];
      await s.graficar();
      const sinContinuar = resumen();
      vistos.length = 0;
      continuar = true;
      s.NumeroLineasX = 7;
      await s.graficar();
      return [sinContinuar, resumen()];
    })()`);
    Igual(r, [[1, false], [1, true]], 'errores y fin, sin Continuar y con él');
  });

  await Caso('Cancelar termina un gráfico grande en la siguiente cesión', async () => {
    const r = await n.Evaluar(`(async () => {
      const s = await Preparada(636, 476, 'sen(x)*cos(y)', 3000);
      const vistos = Grabar(s);
      const inicio = performance.now();
      const fin = s.graficar();
      await new Promise((r) => setTimeout(r, 200));
      const antes = vistos.length;
      s.cancelar();
      await fin;
      return { antes, despues: vistos.slice(antes), ms: performance.now() - inicio,
               numeroError: s.numeroError, error: s.error };
    })()`);
    if (r.antes === 0) throw new Error('la página no recibió eventos antes de cancelar');
    if (r.despues.some((e) => e.evento === 'Status' && e.Stat.startsWith('Procesando')) ||
        r.despues.some((e) => e.evento === 'TerminoGraficacion') ||
        r.error !== 'Cancelado por el usuario') {
      throw new Error(JSON.stringify(r));
    }
    console.log(`      cancelado tras ${Math.round(r.ms)} ms: ${JSON.stringify(r.despues).slice(0, 300)}`);
  });

  await Caso('arrastrar gira la superficie', async () => {
    await n.Evaluar(`(async () => {
      const s = await Preparada(636, 476, 'sen(x)*cos(y)', 20);
      await s.graficar();
    })()`);
    await n.Raton('mousePressed', 300, 200, { clickCount: 1, buttons: 1 });
    await n.Raton('mouseMoved', 340, 220, { buttons: 1 });
    await n.Raton('mouseReleased', 340, 220, { clickCount: 1, buttons: 0 });
    const r = await n.Evaluar(`(async () => {
      const s = document.querySelector('relivo-superficie');
      await s.graficando;
      return [s.AnguloX, s.AnguloZ];
    })()`);
    Igual(r.map((v) => Math.round(v * 1e6) / 1e6), [10, 20], 'AnguloX, AnguloZ');
  });

  await Caso('los atributos pasan por el documento JSON y vuelven', async () => {
    const r = await n.Evaluar(`(async () => {
      document.body.innerHTML = '<relivo-superficie funcion="x*y" xmin="-2" xmax="5" ymin="1" ' +
        'ymax="4" numerolineasx="12" numerolineasy="7" angulox="15" anguloz="-40" ' +
        'autoescalaz="false" zmin="-3" zmax="9" backcolor="255" drawwidth="2" ' +
        'tooltiptext="Una superficie"></relivo-superficie><relivo-superficie></relivo-superficie>';
      const [a, b] = document.querySelectorAll('relivo-superficie');
      await a.listo;
      await b.listo;
      const texto = await a.documento();
      await b.cargarDocumento(texto);
      const nombres = ${JSON.stringify(['Funcion', 'XMin', 'XMax', 'YMin', 'YMax', 'NumeroLineasX', 'NumeroLineasY', 'AnguloX', 'AnguloZ', 'AutoEscalaZ', 'ZMin', 'ZMax', 'BackColor', 'DrawWidth', 'ToolTipText'])};
      return { a: nombres.map((p) => a[p]), b: nombres.map((p) => b[p]),
               documento: JSON.parse(texto), otra: JSON.parse(await b.documento()) };
    })()`);
    // The angles are kept in radians.
    r.a[7] = Math.round(r.a[7] * 1e9) / 1e9;
    r.b[7] = Math.round(r.b[7] * 1e9) / 1e9;
    Igual(r.a, ['X*Y', -2, 5, 1, 4, 12, 7, 15, -40, false, -3, 9, 255, 2, 'Una superficie'], 'atributos');
    Igual(r.b, r.a, 'cargados del documento');
    Igual([r.documento.NumeroLineasX, r.documento.ToolTipText], [12, 'Una superficie'], 'documento');
    // Reading ScaleTop and ScaleWidth after ScaleMode turns a scale of 1
    // (twips) into the user scale 0 with the same values (also below).
    Igual({ ...r.otra, ScaleMode: 1 }, r.documento, 'el documento escrito de nuevo');
  });

  await Caso('atributos de fuente e imágenes pasan por el documento JSON y vuelven', async () => {
    const r = await n.Evaluar(`(async () => {
      const prueba = ImagenDe(3, 2, ${JSON.stringify(kImagenDePrueba)});
      const c = document.createElement('canvas');
      [c.width, c.height] = [3, 2];
      c.getContext('2d').putImageData(prueba, 0, 0);
      const url = c.toDataURL('image/png');
      [c.width, c.height] = [1, 1];
      c.getContext('2d').putImageData(ImagenDe(1, 1, [0x102030]), 0, 0);
      const icono = c.toDataURL('image/png');
      const [a, b] = [1, 2].map(() => document.createElement('relivo-superficie'));
      a.setAttribute('font', '{"Name":"DejaVu Serif","Size":12,"Bold":true}');
      a.setAttribute('picture', url);
      a.setAttribute('mouseicon', icono);
      a.setAttribute('mousepointer', '99');
      document.body.replaceChildren(a, b);
      await a.listo;
      await b.listo;
      const texto = await a.documento();
      await b.cargarDocumento(texto);
      return { font: b.Font, fontName: b.FontName, picture: await Colores(b.Picture),
               mouseIcon: await Colores(b.MouseIcon), mousePointer: b.MousePointer,
               documento: JSON.parse(texto), otra: JSON.parse(await b.documento()) };
    })()`);
    Igual(r.font, { Name: 'DejaVu Serif', Size: 12, Bold: true, Italic: false, Underline: false, Strikethrough: false }, 'Font');
    Igual([r.fontName, r.mousePointer], ['DejaVu Serif', 99], 'FontName, MousePointer');
    Igual(r.picture, [3, 2, kImagenDePrueba], 'Picture');
    Igual(r.mouseIcon, [1, 1, [0x102030]], 'MouseIcon');
    Igual([r.documento.Picture.tipo, r.documento.Picture.Ancho, r.documento.Picture.Alto, r.documento.Font.Bold],
          ['Imagen', 3, 2, true], 'el documento');
    // ScaleMode reads as 0 after a document is loaded (see above).
    Igual({ ...r.otra, ScaleMode: 1 }, r.documento, 'el documento escrito de nuevo');
  });

  await Caso('Font toma los miembros dados; una imagen ilegible se rechaza con 321', async () => {
    const r = await n.Evaluar(`(async () => {
      const s = await NuevaSuperficie(156, 116);
      const rechazos = [];
      s.addEventListener('PropiedadRechazada', (e) => rechazos.push(e.detail));
      s.Font = { Name: 'DejaVu Sans Mono', Size: 11 };
      s.Font = { Italic: true };
      s.Font = { Size: 'grande' };
      const font = s.Font;
      let picture = null;
      try { await s.fijarPropiedad('Picture', new Blob(['no es un PNG'])); } catch (e) { picture = e; }
      let documento = null;
      try {
        await s.cargarDocumento({ Picture: { tipo: 'Imagen', Ancho: 1, Alto: 1, PNG: btoa('no es un PNG') } });
      } catch (e) { documento = e.numero; }
      return [font, rechazos.map((d) => [d.Propiedad, d.Numero]), picture, s.Picture, documento];
    })()`);
    Igual(r, [{ Name: 'DejaVu Sans Mono', Size: 11, Bold: false, Italic: true, Underline: false, Strikethrough: false },
              [['Font', 13], ['Picture', 321]], { numero: 321, texto: 'Formato de archivo no válido' }, null, 321],
          'Font, rechazos');
  });

  await Caso('un documento completo con imágenes se lee, muestra su Picture y se escribe igual', async () => {
    const texto = fs.readFileSync(path.join(datos, 'documento_completo.json'), 'utf8');
    const documento = JSON.parse(texto);
    const r = await n.Evaluar(`(async () => {
      const s = await NuevaSuperficie(156, 116);
      const documento = ${JSON.stringify(documento)};
      const png = (clave) => Uint8Array.from(atob(documento[clave].PNG), (c) => c.charCodeAt(0));
      try {
        await s.cargarDocumento(${JSON.stringify(texto)});
      } catch (e) {
        return JSON.stringify(e);
      }
      const otra = JSON.parse(await s.documento());
      const [ancho, alto, colores] = await Colores(png('Picture'));
      const c = s.canvas.getContext('2d').getImageData(0, 0, ancho, alto).data;
      const mostrada = [];
      for (let i = 0; i < c.length; i += 4) mostrada.push(c[i] | (c[i + 1] << 8) | (c[i + 2] << 16));
      return { otra, picture: [await Colores(png('Picture')), await Colores(s.Picture)],
               mouseIcon: [await Colores(png('MouseIcon')), await Colores(s.MouseIcon)],
               mostrada: [mostrada, colores] };
    })()`);
    if (typeof r === 'string') throw new Error(r);
    Igual(r.picture[1], r.picture[0], 'Picture');
    Igual(r.mouseIcon[1], r.mouseIcon[0], 'MouseIcon');
    Igual(r.mostrada[0], r.mostrada[1], 'Picture en la esquina del lienzo');
    // The pictures' PNG data is written anew: compared as pixels above.
    for (const k of ['Picture', 'MouseIcon']) {
      Igual([r.otra[k].Ancho, r.otra[k].Alto], [documento[k].Ancho, documento[k].Alto], k);
      delete r.otra[k];
      delete documento[k];
    }
    Igual(r.otra, documento, 'documento');
  });

  await Caso('los métodos de dibujo llegan a la superficie', async () => {
    const r = await n.Evaluar(`(async () => {
      const s = await NuevaSuperficie(156, 116);
      s.ScaleMode = 3;
      s.pSet(10, 10, 255);
      s.line(0, 50, 100, 50, 65280);
      const c = s.canvas.getContext('2d').getImageData(50, 50, 1, 1).data;
      let rechazo = null;
      try { s.circle(20, 20, 5, 'rojo'); } catch (e) { rechazo = e.numero; }
      return [s.point(10, 10), s.point(50, 50), [...c.slice(0, 3)], s.textWidth('') === 0, s.textHeight('Mg') > 0, rechazo];
    })()`);
    Igual(r, [255, 65280, [0, 255, 0], true, true, 13], 'puntos, línea, texto y rechazo');
  });

  await Caso('PaintPicture pinta los píxeles de la superficie de Linux', async () => {
    // The first two pictures of tests/data/surface/pintar.log, the
    // recorded run of pintar.txt, with its errors ("  ! N text" after a call), on
    // the same surface settings (tests/support/raster_util.h); '-' is left
    // out.
    const guion = fs.readFileSync(path.join(datos, 'surface', 'pintar.log'), 'utf8').split('\nimage\n');
    for (const [k, trozo] of guion.slice(0, 2).entries()) {
      const lineas = trozo.split('\n');
      const llamadas = [];
      const errores = [];
      for (const [i, l] of lineas.entries()) {
        if (!l.startsWith('PaintPicture ')) continue;
        llamadas.push(l.split(' ').slice(1).map((a) => (a === '-' ? null : Number(a))));
        errores.push(lineas[i + 1]?.startsWith('  ! ') ? Number(lineas[i + 1].slice(4).split(' ')[0]) : null);
      }
      const [ancho, alto] = trozo.match(/new (\d+) (\d+)/).slice(1).map(Number);
      const fondo = /set BackColor (\S+)/.exec(trozo)?.[1] ?? '0';
      const d = await n.Evaluar(`(async () => {
        const s = await NuevaSuperficie(${ancho - 4}, ${alto - 4});
        s.BorderStyle = 0;
        s.ScaleMode = 3;
        s.BackColor = ${Number(fondo)};
        s.ForeColor = 0xFFFFFF;
        s.FillColor = 0xFFFFFF;
        s.AutoRedraw = true;
        await new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
        s.cls();
        const prueba = ImagenDe(3, 2, ${JSON.stringify(kImagenDePrueba)});
        const errores = [];
        for (const args of ${JSON.stringify(llamadas)}) {
          try {
            await s.paintPicture(prueba, ...args.map((a) => a ?? undefined));
            errores.push(null);
          } catch (e) {
            errores.push(e.numero);
          }
        }
        s.refresh();
        return [errores, await Diferencias('surface/pintar.${k + 1}.png')];
      })()`);
      Igual(d[0], errores, `pintar.${k + 1}: errores`);
      if (d[1] !== 0) throw new Error(`pintar.${k + 1}.png: ${d[1] === -2 ? 'otro tamaño' : `${d[1]} píxeles distintos`}`);
    }
  });

  await Caso('PopupMenu llega a la página como evento', async () => {
    const r = await n.Evaluar(`(async () => {
      const s = await NuevaSuperficie(156, 116);
      const vistos = [];
      s.addEventListener('PopupMenu', (e) => vistos.push({ ...e.detail }));
      s.popupMenu('Archivo', 2, 10, 20);
      s.popupMenu('Ver');
      return vistos;
    })()`);
    Igual(r, [{ Menu: 'Archivo', Flags: 2, x: 10, y: 20, DefaultMenu: '' }, { Menu: 'Ver', DefaultMenu: '' }], 'eventos');
  });

  await Caso('una tecla en el elemento enfocado da KeyDown, KeyPress y KeyUp', async () => {
    await n.Evaluar(`(async () => {
      const s = await NuevaSuperficie(156, 116);
      s.addEventListener('KeyPress', (e) => { if (e.detail.KeyAscii === 98) e.detail.KeyAscii = 0; });
      window.vistos = Grabar(s);
      window.prevenidas = [];
      window.addEventListener('keydown', (e) => prevenidas.push(e.defaultPrevented));
      s.focus();
      return document.activeElement === s;
    })()`);
    const tecla = async (key, codigo, modifiers = 0) => {
      const texto = key.length === 1 ? { text: key, unmodifiedText: key } : {};
      await n.Tecla('keyDown', { key, windowsVirtualKeyCode: codigo, modifiers, ...texto });
      await n.Tecla('keyUp', { key, windowsVirtualKeyCode: codigo, modifiers });
    };
    await tecla('a', 65);
    await tecla('B', 66, 8);
    await tecla('b', 66);
    await tecla('ArrowLeft', 37, 2);
    const r = await n.Evaluar(`[document.activeElement.tabIndex, vistos.filter((e) => e.evento.startsWith('Key')), prevenidas]`);
    Igual(r, [0, [
      { evento: 'KeyDown', KeyCode: 65, Shift: 0 }, { evento: 'KeyPress', KeyAscii: 97 }, { evento: 'KeyUp', KeyCode: 65, Shift: 0 },
      { evento: 'KeyDown', KeyCode: 66, Shift: 1 }, { evento: 'KeyPress', KeyAscii: 66 }, { evento: 'KeyUp', KeyCode: 66, Shift: 1 },
      { evento: 'KeyDown', KeyCode: 66, Shift: 0 }, { evento: 'KeyPress', KeyAscii: 0 }, { evento: 'KeyUp', KeyCode: 66, Shift: 0 },
      { evento: 'KeyDown', KeyCode: 37, Shift: 2 }, { evento: 'KeyUp', KeyCode: 37, Shift: 2 },
    ], [false, false, true, false]], 'tabIndex, eventos y teclas prevenidas');
  });

  // The demo page: it plots sen(x)*cos(y) when it opens, a drag turns the
  // surface (the angle boxes follow), and Cancelar ends a large plot.
  await Pagina('index.html');
  await Caso('la demostración grafica sen(x)*cos(y), gira al arrastrar y cancela', async () => {
    const primera = await n.Evaluar(`(async () => {
      const s = document.getElementById('superficie');
      while (!s.graficando && s.numeroError === 0 && document.getElementById('estado').textContent === '') {
        await new Promise((r) => setTimeout(r, 10));
      }
      await s.graficando;
      const c = s.canvas.getContext('2d').getImageData(0, 0, s.canvas.width, s.canvas.height).data;
      const colores = new Set();
      for (let i = 0; i < c.length; i += 4) colores.add((c[i] << 16) | (c[i + 1] << 8) | c[i + 2]);
      return [s.Funcion, s.numeroError, document.getElementById('estado').textContent, colores.size > 10];
    })()`);
    Igual(primera, ['CosY*SinX', 0, 'Graficación terminada', true], 'primera imagen');
    const caja = await n.Evaluar(`(() => {
      const s = document.getElementById('superficie');
      s.scrollIntoView();
      const r = s.getBoundingClientRect();
      return [r.left, r.top];
    })()`);
    await n.Raton('mousePressed', caja[0] + 300, caja[1] + 200, { clickCount: 1, buttons: 1 });
    await n.Raton('mouseMoved', caja[0] + 320, caja[1] + 190, { buttons: 1 });
    await n.Raton('mouseReleased', caja[0] + 320, caja[1] + 190, { clickCount: 1, buttons: 0 });
    const angulos = await n.Evaluar(`(async () => {
      const s = document.getElementById('superficie');
      await s.graficando;
      return [document.getElementById('AnguloX').value, document.getElementById('AnguloZ').value];
    })()`);
    Igual(angulos, ['25', '40'], 'cajas de los ángulos tras arrastrar');
    const cancelado = await n.Evaluar(`(async () => {
      const s = document.getElementById('superficie');
      document.getElementById('NumeroLineasX').value = 3000;
      document.getElementById('NumeroLineasY').value = 3000;
      document.getElementById('graficar').click();
      while (!s.graficando) await new Promise((r) => setTimeout(r, 5));
      await new Promise((r) => setTimeout(r, 300));
      const progreso = document.getElementById('progreso').value;
      document.getElementById('cancelar').click();
      await s.graficando;
      return [progreso > 0, document.getElementById('mensaje').textContent];
    })()`);
    Igual(cancelado, [true, 'Error -2147221502: Cancelado por el usuario'], 'cancelar');
  });

  await Caso('la página no registra errores', async () => {
    Igual(n.errores, [], 'errores de la consola');
  });
} finally {
  await n.Cerrar();
  servidor.cerrar();
}
console.log(`${casos} casos, ${fallos} fallos`);
process.exit(fallos === 0 ? 0 : 1);
