// The controls as custom elements, for any page, with no framework:
//
//   <script type="module" src="elementos.mjs"></script>
//   <relivo-superficie funcion="sen(x)*cos(y)" numerolineasx="40"></relivo-superficie>
//
// <relivo-superficie> hosts one surface-plot control (RelivoNativo of the
// WebAssembly module) and shows its window on a canvas; <relivo-evaluar>
// (or the class Evaluar, without an element) is the expression engine.
// The controls' events are DOM CustomEvents of the same names, their
// arguments in event.detail; a listener changes a by-reference argument
// there (event.detail.Continuar = true).
import RelivoModulo from './relivo.mjs';
import { ConPixeles, Pixeles, UrlPng } from './imagenes.mjs';

export { Pixeles };

let modulo = null;
// The elements by their control's id.
const kElementos = new Map();
// While a plot sleeps (it has yielded to the event loop), no call may enter
// the module: calls wait in this queue, which the control runs when it
// resumes (or the element when the run ends).
const kPendientes = [];
let corriendo = 0;

function CorrerPendientes() {
  for (const f of kPendientes.splice(0)) f();
}

// Runs f now, or when the running plot next resumes.
function Llamar(f) {
  if (corriendo > 0) kPendientes.push(f);
  else f();
}

// The WebAssembly module, loaded once for the page.
export function CargarModulo() {
  modulo ??= RelivoModulo().then((M) => {
    M.relivoPintar = (id, datos, ancho, alto) => kElementos.get(id)?.PintarDatos(datos, ancho, alto);
    M.relivoPendientes = CorrerPendientes;
    return M;
  });
  return modulo;
}

// The settings a document keeps, as attributes (lower case) and properties;
// kObjetos are those whose values are objects (Font, and the pictures,
// kImagenes).
export const kPropiedades = [
  'AnguloX', 'AnguloY', 'AnguloZ', 'AutoEscalaZ', 'Funcion', 'NumeroLineasX', 'NumeroLineasY',
  'XMax', 'XMin', 'YMax', 'YMin', 'ZMax', 'ZMin',
  'Align', 'AutoRedraw', 'BackColor', 'BorderStyle', 'CurrentX', 'CurrentY', 'DrawMode',
  'DrawStyle', 'DrawWidth', 'Enabled', 'FillColor', 'FillStyle', 'FontBold', 'FontItalic',
  'FontName', 'FontSize', 'FontStrikethru', 'FontTransparent', 'FontUnderline', 'ForeColor',
  'MousePointer', 'ScaleHeight', 'ScaleLeft', 'ScaleMode', 'ScaleTop', 'ScaleWidth',
  'ToolTipText', 'WhatsThisHelpID',
];
export const kObjetos = ['Font', 'MouseIcon', 'Picture'];
const kImagenes = new Set(['MouseIcon', 'Picture']);
const kPorAtributo = new Map([...kPropiedades, ...kObjetos].map((p) => [p.toLowerCase(), p]));

// The character a key gives the control (KeyAscii): a character of Latin-1,
// a control character with Ctrl and a letter, Enter, Backspace and Escape;
// 0 for the others.
function CaracterDe(e) {
  if (e.key.length === 1) {
    const c = e.key.charCodeAt(0);
    if (e.ctrlKey && /[a-z]/i.test(e.key)) return c & 31;
    return c < 256 ? c : 0;
  }
  return { Enter: 13, Backspace: 8, Escape: 27 }[e.key] ?? 0;
}

// The Shift argument of the control's key and mouse events.
const ShiftDe = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);

// Half a degree of rotation per pixel dragged.
const kGradosPorPixel = 0.5;

export class RelivoSuperficie extends HTMLElement {
  static get observedAttributes() {
    return [...kPorAtributo.keys()];
  }

  constructor() {
    super();
    const raiz = this.attachShadow({ mode: 'open' });
    raiz.innerHTML = '<style>:host{display:inline-block;width:640px;height:480px}' +
      'canvas{display:block;box-sizing:border-box;width:100%;height:100%}' +
      '.borde{border:2px inset #f0f0f0}</style><canvas></canvas>';
    this.canvas = raiz.querySelector('canvas');
    this.nativo = null;
    this.graficando = null;
    this.arrastre = null;
    this.listo = CargarModulo().then((M) => this.#Crear(M));
    this.addEventListener('keydown', (e) => this.#Tecla(e));
  }

  // Focusable, so that it takes the keyboard.
  connectedCallback() {
    if (!this.hasAttribute('tabindex')) this.tabIndex = 0;
  }

  #Crear(M) {
    this.M = M;
    this.nativo = new M.RelivoNativo(640, 480);
    this.cache = {};
    kElementos.set(this.nativo.id, this);
    // Both run inside a call into the module, where reading it is safe.
    this.nativo.fijarFunciones(
      (id, nombre, detalle) => this.#Evento(nombre, detalle),
      (nombre) => {
        this.cache[nombre] = this.nativo.propiedad(nombre);
        this.dispatchEvent(new CustomEvent('PropiedadCambiada', { detail: { Propiedad: nombre } }));
      });
    // listo waits for the pictures the attributes name.
    const imagenes = [];
    for (const a of this.getAttributeNames()) {
      const nombre = kPorAtributo.get(a);
      if (kImagenes.has(nombre)) imagenes.push(this.fijarPropiedad(nombre, this.getAttribute(a)).catch(() => {}));
      else this.attributeChangedCallback(a, null, this.getAttribute(a));
    }
    this.#Redimensionar();
    new ResizeObserver(() => this.#Redimensionar()).observe(this);
    this.#Raton();
    this.Pintar();
    return Promise.all(imagenes).then(() => undefined);
  }

  #Evento(nombre, detalle) {
    if (nombre === 'Error') {
      this.cache.numeroError = this.nativo.numeroError;
      this.cache.error = this.nativo.error;
    }
    const e = new CustomEvent(nombre, { detail: detalle });
    this.dispatchEvent(e);
    return e.detail;
  }

  #Redimensionar() {
    const r = this.getBoundingClientRect();
    const ancho = Math.round(r.width) || 640;
    const alto = Math.round(r.height) || 480;
    Llamar(() => {
      this.nativo.redimensionar(ancho, alto);
      this.Pintar();
    });
  }

  attributeChangedCallback(atributo, antes, valor) {
    if (!this.nativo || valor === null) return;
    const nombre = kPorAtributo.get(atributo);
    if (!nombre) return;
    if (kImagenes.has(nombre)) this.fijarPropiedad(nombre, valor).catch(() => {});
    else if (nombre === 'Font' || String(this.Leer(nombre)) !== valor) this.fijarPropiedad(nombre, valor);
  }

  // Sets a property by name; a value the control refuses leaves it as it
  // was and raises PropiedadRechazada (Propiedad, Numero, Texto). Font takes
  // an object or its JSON text (the members given change). A picture is
  // decoded first (Pixeles): for Picture and MouseIcon the result is a
  // promise, settled when the picture is set and rejected with {numero,
  // texto} when it is refused (321: the browser cannot read it).
  fijarPropiedad(nombre, valor) {
    if (kImagenes.has(nombre)) {
      return Pixeles(valor).then(
        (p) => new Promise((resolver, rechazar) => this.#Fijar(nombre, p, (r) => (r ? rechazar(r) : resolver()))),
        () => {
          const rechazo = { numero: 321, texto: this.M.textoError(321) };
          this.#Rechazado(nombre, rechazo);
          throw rechazo;
        });
    }
    if (nombre === 'Font' && typeof valor === 'string') {
      try {
        valor = JSON.parse(valor);
      } catch {
        // Refused by the control as a value of another type (13).
      }
    }
    this.#Fijar(nombre, valor, () => {});
    return undefined;
  }

  // Sets the control's property now, or when the running plot resumes;
  // hecho(rechazo) follows.
  #Fijar(nombre, valor, hecho) {
    if (corriendo > 0) {
      this.cache[nombre] = valor;
      kPendientes.push(() => this.#Fijar(nombre, valor, hecho));
      return;
    }
    const rechazo = this.nativo.fijarPropiedad(nombre, valor);
    if (rechazo) this.#Rechazado(nombre, rechazo);
    this.Pintar();
    hecho(rechazo);
  }

  #Rechazado(nombre, rechazo) {
    this.dispatchEvent(new CustomEvent('PropiedadRechazada', {
      detail: { Propiedad: nombre, Numero: rechazo.numero, Texto: rechazo.texto } }));
  }

  // A key pressed on the focused element reaches the control: its events
  // KeyDown (KeyCode, the key's code, and Shift), KeyPress (KeyAscii, when
  // the key gives a character) and KeyUp. Tab is left to the page, to move
  // the focus; a character a listener suppresses (KeyAscii = 0) has its
  // default action prevented.
  #Tecla(e) {
    if (!this.nativo || e.key === 'Tab' || e.isComposing) return;
    const codigo = e.keyCode;
    const ascii = CaracterDe(e);
    const shift = ShiftDe(e);
    if (corriendo > 0) {
      kPendientes.push(() => this.nativo.teclear(codigo, shift, ascii));
      return;
    }
    const tomado = this.nativo.teclear(codigo, shift, ascii);
    if (ascii !== 0 && tomado === 0) e.preventDefault();
    this.Pintar();
  }

  // The control's window on the canvas: its inner surface, inside a 3-D
  // border when BorderStyle is 1.
  Pintar() {
    if (!this.nativo || corriendo > 0) return;
    const p = this.nativo.pantalla();
    this.canvas.classList.toggle('borde', this.nativo.propiedad('BorderStyle') === 1);
    this.PintarDatos(p.datos, p.ancho, p.alto);
  }

  // RGBA pixels of the window on the canvas.
  PintarDatos(datos, ancho, alto) {
    if (this.canvas.width !== ancho) this.canvas.width = ancho;
    if (this.canvas.height !== alto) this.canvas.height = alto;
    if (ancho > 0 && alto > 0) {
      const rgba = new Uint8ClampedArray(datos.buffer, datos.byteOffset, datos.length);
      this.canvas.getContext('2d').putImageData(new ImageData(rgba, ancho, alto), 0, 0);
    }
  }

  // Plots; the promise settles when the run ends (finished, failed or
  // cancelled). The page keeps running: the control yields to the event
  // loop, and the canvas shows the picture as it grows.
  graficar() {
    return this.listo.then(() => {
      if (this.graficando) return this.graficando;
      if (corriendo > 0) return new Promise((r) => kPendientes.push(() => r(this.graficar())));
      for (const p of [...kPropiedades, ...kObjetos]) this.cache[p] = this.nativo.propiedad(p);
      this.cache.numeroError = 0;
      this.cache.error = '';
      ++corriendo;
      const fin = this.M.ccall('relivo_graficar', null, ['number'], [this.nativo.id], { async: true });
      this.graficando = Promise.resolve(fin).then(() => {
        --corriendo;
        this.graficando = null;
        CorrerPendientes();
        this.Pintar();
      });
      return this.graficando;
    });
  }

  cancelar() {
    if (this.nativo) Llamar(() => this.nativo.cancelar());
  }

  cls() {
    if (this.nativo) Llamar(() => { this.nativo.cls(); this.Pintar(); });
  }

  refresh() {
    if (this.nativo) Llamar(() => { this.nativo.refresh(); this.Pintar(); });
  }

  // The drawing methods passed through to the control's surface, in its
  // scale units: line(x1, y1, x2, y2, color), circle(x, y, radio, color),
  // pSet(x, y, color) (a colour left out is ForeColor), point(x, y) (a
  // colour value), textWidth(texto), textHeight(texto). Not while a plot
  // runs; a failure is thrown as {numero, texto}.
  #Metodo(nombre, args) {
    if (!this.nativo || corriendo > 0) throw new Error('Relivo: el control está graficando');
    const r = this.nativo.metodo(nombre, args);
    this.Pintar();
    if (r !== null && typeof r === 'object' && r.rechazo) throw { numero: r.numero, texto: r.texto };
    return r === null ? undefined : r;
  }
  line(x1, y1, x2, y2, color) { this.#Metodo('Line', [x1, y1, x2, y2, color]); }
  circle(x, y, radio, color) { this.#Metodo('Circle', [x, y, radio, color]); }
  pSet(x, y, color) { this.#Metodo('PSet', [x, y, color]); }
  point(x, y) { return this.#Metodo('Point', [x, y]); }
  textWidth(texto) { return this.#Metodo('TextWidth', [String(texto)]); }
  textHeight(texto) { return this.#Metodo('TextHeight', [String(texto)]); }
  // paintPicture(imagen, x1, y1, width1, height1, x2, y2, width2, height2,
  // opcode): the picture (any source Pixeles takes) is decoded first, so it
  // returns a promise, rejected with {numero, texto} (321: the browser
  // cannot read the picture).
  async paintPicture(imagen, ...args) {
    await this.listo;
    let p;
    try {
      p = await Pixeles(imagen);
    } catch {
      throw { numero: 321, texto: this.M.textoError(321) };
    }
    this.#Metodo('PaintPicture', [p, ...args]);
  }
  // popupMenu(menu, flags, x, y, defaultMenu): a page shows its own menus,
  // so the element raises the event PopupMenu with these arguments (Menu,
  // Flags, x, y, DefaultMenu; undefined where left out).
  popupMenu(menu, flags, x, y, defaultMenu) {
    this.#Metodo('PopupMenu', [String(menu), flags, x, y, defaultMenu]);
  }

  // Read from the control, or while a plot runs, as last known.
  Leer(nombre) {
    if (!this.nativo) return undefined;
    if (corriendo > 0) return this.cache[nombre];
    return nombre === 'numeroError' || nombre === 'error' ? this.nativo[nombre] : this.nativo.propiedad(nombre);
  }

  get numeroError() { return this.Leer('numeroError') ?? 0; }
  get error() { return this.Leer('error') ?? ''; }

  // The settings as a JSON document, the same as `relivo graficar
  // --guardar` writes.
  documento() {
    return this.listo.then(() => {
      if (corriendo > 0) return new Promise((r) => kPendientes.push(() => r(this.documento())));
      return this.nativo.documento();
    });
  }

  // Restores the settings from such a document (text, or an object); the
  // promise is rejected with {numero, texto} for a document the control
  // refuses (what it set before the failure stays).
  cargarDocumento(documento) {
    const original = typeof documento === 'string' ? documento : JSON.stringify(documento);
    return Promise.all([ConPixeles(original), this.listo]).then(([texto]) => {
      if (corriendo > 0) return new Promise((r) => kPendientes.push(() => r(this.cargarDocumento(texto))));
      const rechazo = this.nativo.cargarDocumento(texto);
      this.Pintar();
      if (rechazo) throw rechazo;
      return undefined;
    });
  }

  // The finished picture as a PNG Blob.
  grafica() {
    return this.listo.then(() => {
      if (corriendo > 0) return new Promise((r) => kPendientes.push(() => r(this.grafica())));
      const p = this.nativo.grafica();
      const c = document.createElement('canvas');
      c.width = p.ancho;
      c.height = p.alto;
      c.getContext('2d').putImageData(new ImageData(p.datos, p.ancho, p.alto), 0, 0);
      return new Promise((resolver) => c.toBlob(resolver, 'image/png'));
    });
  }

  // A drag with the left button turns the surface (horizontal movement
  // AnguloZ, vertical AnguloX) and plots again; the mouse reaches the
  // control's own events too.
  #Raton() {
    const punto = (e) => [e.offsetX, e.offsetY];
    const boton = (b) => (b & 1 ? 1 : 0) | (b & 2 ? 2 : 0) | (b & 4 ? 4 : 0);
    const raton = (...args) => Llamar(() => this.nativo.raton(...args));
    this.canvas.addEventListener('pointerdown', (e) => {
      this.canvas.setPointerCapture(e.pointerId);
      raton('down', boton(1 << e.button), ShiftDe(e), ...punto(e));
      if (e.button === 0) {
        this.arrastre = { x: e.clientX, y: e.clientY, ax: this.AnguloX, az: this.AnguloZ };
      }
      this.Pintar();
    });
    this.canvas.addEventListener('pointermove', (e) => {
      raton('move', boton(e.buttons), ShiftDe(e), ...punto(e));
      if (this.arrastre) {
        this.AnguloZ = this.arrastre.az + (e.clientX - this.arrastre.x) * kGradosPorPixel;
        this.AnguloX = this.arrastre.ax + (e.clientY - this.arrastre.y) * kGradosPorPixel;
        // The plot's parameters send no notification of their own.
        for (const p of ['AnguloX', 'AnguloZ']) {
          this.dispatchEvent(new CustomEvent('PropiedadCambiada', { detail: { Propiedad: p } }));
        }
        if (!this.graficando) this.graficar();
      }
      this.Pintar();
    });
    this.canvas.addEventListener('pointerup', (e) => {
      raton('up', boton(1 << e.button), ShiftDe(e), ...punto(e));
      if (e.button === 0 && this.arrastre) {
        this.arrastre = null;
        this.graficar();
      }
      this.Pintar();
    });
    this.canvas.addEventListener('dblclick', () => {
      raton('dblclick', 0, 0, 0, 0);
      this.Pintar();
    });
  }
}

for (const nombre of kPropiedades) {
  Object.defineProperty(RelivoSuperficie.prototype, nombre, {
    get() { return this.Leer(nombre); },
    set(valor) { if (this.nativo) this.fijarPropiedad(nombre, valor); },
  });
}
// Font reads as a new object {Name, Size, Bold, Italic, Underline,
// Strikethrough}; the pictures read as data: URLs of PNG files (null: no
// picture) and are set as fijarPropiedad says.
Object.defineProperty(RelivoSuperficie.prototype, 'Font', {
  get() { return this.Leer('Font'); },
  set(valor) { if (this.nativo) this.fijarPropiedad('Font', valor); },
});
for (const nombre of kImagenes) {
  Object.defineProperty(RelivoSuperficie.prototype, nombre, {
    get() { return this.nativo ? UrlPng(this.Leer(nombre)) : undefined; },
    set(valor) { if (this.nativo) this.fijarPropiedad(nombre, valor).catch(() => {}); },
  });
}

// The expression engine: Funcion, the variables and their values, the
// result; a failure is kept in numeroError and error and raised as the
// event Error (NumError, DescrError).
export class Evaluar extends EventTarget {
  constructor(M) {
    super();
    this.nativo = new M.EvaluarNativo();
    this.nativo.alError = (NumError, DescrError) =>
      this.dispatchEvent(new CustomEvent('Error', { detail: { NumError, DescrError } }));
  }

  static async Crear() {
    return new Evaluar(await CargarModulo());
  }

  get funcion() { return this.nativo.funcion; }
  set funcion(texto) { this.nativo.funcion = String(texto); }
  get numeroError() { return this.nativo.numeroError; }
  get error() { return this.nativo.error; }
  get numeroVariables() { return this.nativo.numeroVariables; }
  get resultado() { return this.nativo.resultado; }
  variable(indice) { return this.nativo.variable(indice); }
  indiceVariable(nombre) { return this.nativo.indiceVariable(String(nombre)); }
  existeVariable(nombre) { return this.nativo.existeVariable(String(nombre)); }
  // valor(v) reads, valor(v, x) sets; v is an index or a name.
  valor(variable, valor) {
    if (valor === undefined) return this.nativo.valor(variable);
    this.nativo.fijarValor(variable, Number(valor));
    return undefined;
  }
  valoresPorIndice(valores) { this.nativo.valoresPorIndice(valores); }
  substituir(variable, texto) { this.nativo.substituir(variable, texto); }
  // Frees the engine's memory; the object is not used afterwards.
  liberar() { this.nativo.delete(); }
}

// The engine as an element of the page (not shown): its attribute funcion
// is the expression; the members are those of Evaluar, the events are
// raised by the element.
export class RelivoEvaluar extends HTMLElement {
  static get observedAttributes() {
    return ['funcion'];
  }

  constructor() {
    super();
    this.style.display = 'none';
    this.listo = CargarModulo().then((M) => {
      this.ev = new Evaluar(M);
      this.ev.addEventListener('Error', (e) => this.dispatchEvent(new CustomEvent('Error', { detail: e.detail })));
      if (this.hasAttribute('funcion')) this.ev.funcion = this.getAttribute('funcion');
      return this;
    });
  }

  attributeChangedCallback(atributo, antes, valor) {
    if (this.ev && valor !== null && valor !== this.ev.funcion) this.ev.funcion = valor;
  }

  get funcion() { return this.ev?.funcion ?? ''; }
  set funcion(texto) { this.ev.funcion = texto; }
  get numeroError() { return this.ev?.numeroError ?? 0; }
  get error() { return this.ev?.error ?? ''; }
  get numeroVariables() { return this.ev.numeroVariables; }
  get resultado() { return this.ev.resultado; }
  variable(indice) { return this.ev.variable(indice); }
  indiceVariable(nombre) { return this.ev.indiceVariable(nombre); }
  existeVariable(nombre) { return this.ev.existeVariable(nombre); }
  valor(variable, valor) { return this.ev.valor(variable, valor); }
  valoresPorIndice(valores) { this.ev.valoresPorIndice(valores); }
  substituir(variable, texto) { this.ev.substituir(variable, texto); }
}

if (typeof customElements !== 'undefined') {
  customElements.get('relivo-superficie') || customElements.define('relivo-superficie', RelivoSuperficie);
  customElements.get('relivo-evaluar') || customElements.define('relivo-evaluar', RelivoEvaluar);
}
