// The pictures of <relivo-superficie> (elementos.mjs): the browser decodes
// them (a page's picture, a document's PNG data) into pixels for the module,
// and encodes the module's pictures as PNG.

// A picture from what a page has: a URL (a data: URL too), a Blob, PNG
// bytes (an ArrayBuffer or a typed array), an ImageData, or anything
// createImageBitmap takes (an <img>, a canvas, an ImageBitmap); null or ''
// is no picture. The browser decodes it; the result is {ancho, alto,
// datos} (RGBA bytes, alpha composed over black, as a PNG is read on
// Linux), or null. Rejected when the browser cannot read it.
export async function Pixeles(fuente) {
  if (fuente === null || fuente === undefined || fuente === '') return null;
  let d = fuente;
  if (!(fuente instanceof ImageData)) {
    if (typeof fuente === 'string') {
      const r = await fetch(fuente);
      if (!r.ok) throw new Error(`${fuente}: ${r.status}`);
      fuente = await r.blob();
    } else if (fuente instanceof ArrayBuffer || ArrayBuffer.isView(fuente)) {
      fuente = new Blob([fuente], { type: 'image/png' });
    }
    const mapa = await createImageBitmap(fuente, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    const c = new OffscreenCanvas(mapa.width, mapa.height).getContext('2d');
    c.drawImage(mapa, 0, 0);
    mapa.close();
    d = c.getImageData(0, 0, c.canvas.width, c.canvas.height);
  }
  const datos = new Uint8ClampedArray(d.data);
  for (let i = 0; i < datos.length; i += 4) {
    const a = datos[i + 3];
    if (a === 255) continue;
    for (let k = i; k < i + 3; ++k) datos[k] = Math.floor((datos[k] * a + 127) / 255);
    datos[i + 3] = 255;
  }
  return { ancho: d.width, alto: d.height, datos };
}

// A picture of the module ({ancho, alto, datos}) as a data: URL of a PNG.
export function UrlPng(p) {
  if (!p) return null;
  const c = document.createElement('canvas');
  c.width = p.ancho;
  c.height = p.alto;
  c.getContext('2d').putImageData(new ImageData(p.datos, p.ancho, p.alto), 0, 0);
  return c.toDataURL('image/png');
}

// A document whose pictures' PNG data ("PNG", base64) the browser has
// decoded into colour values ("Pixeles"), which the module reads; data the
// browser cannot read is left for the module to refuse (321).
export async function ConPixeles(texto) {
  let documento;
  try {
    documento = JSON.parse(texto);
  } catch {
    return texto;
  }
  if (documento === null || typeof documento !== 'object' || Array.isArray(documento)) return texto;
  let cambiado = false;
  for (const [clave, v] of Object.entries(documento)) {
    if (v === null || typeof v !== 'object' || v.tipo !== 'Imagen' || typeof v.PNG !== 'string') continue;
    let p;
    try {
      p = await Pixeles(Uint8Array.from(atob(v.PNG), (c) => c.charCodeAt(0)));
    } catch {
      continue;
    }
    const colores = new Array(p.ancho * p.alto);
    for (let i = 0; i < colores.length; ++i) {
      colores[i] = p.datos[4 * i] | (p.datos[4 * i + 1] << 8) | (p.datos[4 * i + 2] << 16);
    }
    documento[clave] = { tipo: 'Imagen', Ancho: p.ancho, Alto: p.alto, Pixeles: colores };
    cambiado = true;
  }
  return cambiado ? JSON.stringify(documento) : texto;
}
