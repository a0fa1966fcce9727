// The surface-plot control for JavaScript: RelivoNativo holds one control
// in an AnfitrionWeb, reads and sets its properties by name (Font as an
// object, the pictures as RGBA pixels the page has decoded), feeds it the
// mouse and the keyboard and gives its window's pixels as RGBA for a canvas. Graficar may
// yield to the browser's event loop (Asyncify), which an embind call cannot
// do: the page starts it through the exported function relivo_graficar,
// with ccall's async option, and gets a promise.
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/linux/json_bag.h"
#include "platform/linux/work_queue.h"
#include "platform/png.h"
#include "relivo/platform/error.h"
#include "relivo/platform/surface.h"
#include "relivo/platform/surface_properties.h"
#include "relivo/relivo.h"
#include "web/web_host.h"

namespace relivo {
namespace {

using emscripten::val;

// How long the control may run before a yield returns to the event loop:
// the page paints and takes its input between two such slices.
constexpr double kMilisegundosPorTramo = 15;
// How often a running plot shows its progress on the page.
constexpr double kMilisegundosEntrePintados = 100;

// While a run sleeps, the page must not call into the module (the sleeping
// run's stack would be overwritten): the control shows its window to the
// page before each sleep, and after it runs what the page queued meanwhile
// (Module.relivoPendientes), such as a cancel.
// clang-format off
EM_JS(void, MostrarAlNavegador, (int32_t id, const uint8_t* rgba, int32_t ancho, int32_t alto), {
    if (Module.relivoPintar) {
        Module.relivoPintar(id, HEAPU8.slice(rgba, rgba + ancho * alto * 4), ancho, alto);
    }
});
// clang-format on
// clang-format off
EM_ASYNC_JS(void, VolverAlBucle, (), {
    await new Promise((seguir) => {
        const canal = new MessageChannel();
        canal.port1.onmessage = () => seguir();
        canal.port2.postMessage(0);
    });
});
// clang-format on
// clang-format off
EM_JS(void, CorrerPendientes, (), {
    if (Module.relivoPendientes) Module.relivoPendientes();
});
// clang-format on

class RelivoWeb;
std::map<int32_t, RelivoWeb*>& Registro() {
    static std::map<int32_t, RelivoWeb*> registro;
    return registro;
}

bool EsObjeto(const val& v) {
    return !v.isNull() && v.typeOf().as<std::string>() == "object";
}

// A font from a JavaScript object: the members it has (Name, Size, Bold,
// Italic, Underline, Strikethrough) replace those of `base`; 13 for a value
// that is not an object or a member of another type.
Fuente FuenteDeJs(const val& v, Fuente base) {
    if (!EsObjeto(v)) throw Fallo::Plataforma(errores::kTiposNoCoinciden);
    auto miembro = [&v](const char* nombre, auto& destino) {
        const val m = v[nombre];
        if (m.isUndefined()) return;
        using T = std::remove_reference_t<decltype(destino)>;
        const std::string tipo = m.typeOf().as<std::string>();
        if constexpr (std::is_same_v<T, std::string>) {
            if (tipo != "string") throw Fallo::Plataforma(errores::kTiposNoCoinciden);
            destino = m.as<std::string>();
        } else if constexpr (std::is_same_v<T, bool>) {
            if (tipo != "boolean") throw Fallo::Plataforma(errores::kTiposNoCoinciden);
            destino = m.as<bool>();
        } else {
            if (tipo != "number") throw Fallo::Plataforma(errores::kTiposNoCoinciden);
            const double d = m.as<double>();
            if (!(std::isfinite(d) && std::fabs(d) <= 1e6)) {
                throw Fallo::Plataforma(errores::kDesbordamiento);
            }
            destino = static_cast<float>(d);
        }
    };
    miembro("Name", base.Name);
    miembro("Size", base.Size);
    miembro("Bold", base.Bold);
    miembro("Italic", base.Italic);
    miembro("Underline", base.Underline);
    miembro("Strikethrough", base.Strikethrough);
    return base;
}

// A picture from {ancho, alto, datos}: RGBA bytes row by row (as ImageData
// holds them), opaque (the page composes alpha over black, as a PNG is read
// on Linux: Pixeles in elementos.mjs); null is no picture. 5 for anything
// else.
Imagen ImagenDeJs(const val& v) {
    if (v.isNull() || v.isUndefined()) return Imagen();
    if (!EsObjeto(v) || !v["ancho"].isNumber() || !v["alto"].isNumber()) {
        throw Fallo::Plataforma(errores::kArgumentoNoValido);
    }
    const double ancho = v["ancho"].as<double>(), alto = v["alto"].as<double>();
    if (!(ancho >= 1 && alto >= 1 && ancho <= kLadoMaximoImagen && alto <= kLadoMaximoImagen) ||
        ancho != std::floor(ancho) || alto != std::floor(alto)) {
        throw Fallo::Plataforma(errores::kArgumentoNoValido);
    }
    Imagen imagen(static_cast<int32_t>(ancho), static_cast<int32_t>(alto));
    const val datos = v["datos"];
    const size_t n = imagen.Pixeles.size() * 4;
    if (!EsObjeto(datos) || datos["length"].isUndefined() || datos["length"].as<double>() != n) {
        throw Fallo::Plataforma(errores::kArgumentoNoValido);
    }
    std::vector<uint8_t> rgba(n);
    val(emscripten::typed_memory_view(n, rgba.data())).call<void>("set", datos);
    for (size_t i = 0; i < imagen.Pixeles.size(); ++i) {
        const uint8_t* p = rgba.data() + 4 * i;
        imagen.Pixeles[i] = p[0] | (p[1] << 8) | (p[2] << 16);
    }
    return imagen;
}

// A JavaScript value as the type of a property.
template <typename T>
T Convertir(const val& v) {
    if constexpr (std::is_same_v<T, Fuente>) {
        throw Fallo::Plataforma(errores::kTiposNoCoinciden);
    } else if constexpr (std::is_same_v<T, Imagen>) {
        return ImagenDeJs(v);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return v.isString() ? v.as<std::string>() : v.call<std::string>("toString");
    } else if constexpr (std::is_same_v<T, bool>) {
        return v.isString() ? v.as<std::string>() != "false" && v.as<std::string>() != "0"
                            : v.as<bool>();
    } else {
        // A text must read as a number (13 otherwise).
        double d = 0;
        if (v.isString()) {
            const std::string t = v.as<std::string>();
            char* fin = nullptr;
            d = std::strtod(t.c_str(), &fin);
            if (t.empty() || *fin != '\0') throw Fallo::Plataforma(errores::kTiposNoCoinciden);
        } else {
            d = v.as<double>();
        }
        if constexpr (std::is_integral_v<T>) {
            if (!(d >= static_cast<double>(std::numeric_limits<T>::min()) &&
                  d <= static_cast<double>(std::numeric_limits<T>::max()))) {
                throw Fallo::Plataforma(errores::kDesbordamiento);
            }
        }
        return static_cast<T>(d);
    }
}

class RelivoWeb {
public:
    RelivoWeb(int32_t ancho, int32_t alto) : control_(anfitrion_, ancho, alto) {
        static int32_t siguiente = 0;
        id_ = ++siguiente;
        Registro()[id_] = this;
        Preparar();
    }
    ~RelivoWeb() { Registro().erase(id_); }

    int32_t Id() const { return id_; }
    void FijarFunciones(val alEvento, val alCambio) {
        anfitrion_.FijarFunciones(std::move(alEvento), std::move(alCambio));
    }

    // The property by name: undefined for a name the control does not have.
    val Propiedad(const std::string& nombre) {
        const auto it = lectores_.find(nombre);
        return it == lectores_.end() ? val::undefined() : it->second();
    }
    // Sets a property; null, or {numero, texto} of the refusal (the value
    // stays as it was).
    val FijarPropiedad(const std::string& nombre, val valor) {
        try {
            const auto it = escritores_.find(nombre);
            if (it == escritores_.end()) throw Fallo::Plataforma(errores::kArgumentoNoValido);
            it->second(valor);
            return val::null();
        } catch (const Fallo& f) {
            return Rechazo(f.numero(), f.texto());
        } catch (const std::exception&) {
            return Rechazo(errores::kTiposNoCoinciden,
                           Fallo::Plataforma(errores::kTiposNoCoinciden).texto());
        }
    }
    val Nombres() const {
        val lista = val::array();
        for (const auto& [nombre, e] : escritores_) lista.call<void>("push", nombre);
        return lista;
    }

    // The settings as the JSON document of `relivo graficar --guardar`.
    std::string Documento() {
        BolsaJson bolsa;
        control_.WriteProperties(bolsa);
        return bolsa.Texto();
    }
    // Restores the settings from such a document; null, or the refusal.
    val CargarDocumento(const std::string& texto) {
        try {
            control_.ReadProperties(BolsaJson::DesdeTexto(texto));
            return val::null();
        } catch (const Fallo& f) {
            return Rechazo(f.numero(), f.texto());
        }
    }

    // The drawing methods of the control (scale units; a colour left
    // undefined is ForeColor): null, or the refusal.
    val Metodo(const std::string& nombre, val a) {
        try {
            auto n = [&a](int i) { return static_cast<float>(a[i].as<double>()); };
            auto color = [&a](int i) -> std::optional<ColorOle> {
                if (a[i].isUndefined() || a[i].isNull()) return std::nullopt;
                return Convertir<ColorOle>(a[i]);
            };
            if (nombre == "Line") {
                control_.Line_(n(0), n(1), n(2), n(3), color(4));
            } else if (nombre == "Circle") {
                control_.Circle_(n(0), n(1), n(2), color(3));
            } else if (nombre == "PSet") {
                control_.PSet_(n(0), n(1), color(2));
            } else if (nombre == "Point") {
                return val(control_.Point(n(0), n(1)));
            } else if (nombre == "TextWidth") {
                return val(control_.TextWidth(a[0].as<std::string>()));
            } else if (nombre == "TextHeight") {
                return val(control_.TextHeight(a[0].as<std::string>()));
            } else if (nombre == "PaintPicture") {
                // Picture, X1, Y1, then the optional Width1, Height1, X2,
                // Y2, Width2, Height2 and Opcode.
                auto opcional = [&a](int i) -> std::optional<float> {
                    if (a[i].isUndefined() || a[i].isNull()) return std::nullopt;
                    return Convertir<float>(a[i]);
                };
                std::optional<int32_t> opcode;
                if (!a[9].isUndefined() && !a[9].isNull()) opcode = Convertir<int32_t>(a[9]);
                control_.PaintPicture(ImagenDeJs(a[0]), n(1), n(2), opcional(3), opcional(4),
                                      opcional(5), opcional(6), opcional(7), opcional(8), opcode);
            } else if (nombre == "PopupMenu") {
                // Menu, then the optional Flags, x, y and DefaultMenu.
                std::optional<int16_t> flags;
                std::optional<float> x, y;
                if (!a[1].isUndefined() && !a[1].isNull()) flags = Convertir<int16_t>(a[1]);
                if (!a[2].isUndefined() && !a[2].isNull()) x = Convertir<float>(a[2]);
                if (!a[3].isUndefined() && !a[3].isNull()) y = Convertir<float>(a[3]);
                const std::string defecto = a[4].isUndefined() || a[4].isNull()
                                                ? std::string()
                                                : Convertir<std::string>(a[4]);
                control_.PopupMenu(Convertir<std::string>(a[0]), flags, x, y, defecto);
            } else {
                throw Fallo::Plataforma(errores::kArgumentoNoValido);
            }
            return val::null();
        } catch (const Fallo& f) {
            val r = Rechazo(f.numero(), f.texto());
            r.set("rechazo", true);
            return r;
        } catch (const std::exception&) {
            val r = Rechazo(errores::kTiposNoCoinciden,
                            Fallo::Plataforma(errores::kTiposNoCoinciden).texto());
            r.set("rechazo", true);
            return r;
        }
    }

    int32_t NumeroError() const { return control_.NumeroError(); }
    std::string Error() const { return control_.Error(); }
    void Graficar() {
        RelivoWeb* antes = enCurso_;
        enCurso_ = this;
        control_.Graficar();
        enCurso_ = antes;
    }
    // The control whose run is the innermost.
    static RelivoWeb* EnCurso() { return enCurso_; }
    void Cancelar() { control_.Cancelar(); }
    // A key pressed on the element: KeyDown, KeyPress (when KeyAscii is not
    // 0) and KeyUp; returns the character the surface takes (0: suppressed).
    int Teclear(int KeyCode, int Shift, int KeyAscii) {
        return control_.PlanoInterno().Teclear(static_cast<int16_t>(KeyCode),
                                               static_cast<int16_t>(Shift),
                                               static_cast<int16_t>(KeyAscii));
    }
    void Cls() { control_.Cls(); }
    void Refresh() { control_.Refresh(); }
    val Redimensionar(double ancho, double alto) {
        try {
            control_.Redimensionar(static_cast<float>(ancho), static_cast<float>(alto));
            return val::null();
        } catch (const Fallo& f) {
            return Rechazo(f.numero(), f.texto());
        }
    }
    void Raton(const std::string& que, int Button, int Shift, double x, double y) {
        SuperficieDibujo& s = control_.PlanoInterno();
        const auto b = static_cast<int16_t>(Button), sh = static_cast<int16_t>(Shift);
        const auto px = static_cast<float>(x), py = static_cast<float>(y);
        if (que == "down") s.PulsarRaton(b, sh, px, py);
        if (que == "move") s.MoverRaton(b, sh, px, py);
        if (que == "up") s.SoltarRaton(b, sh, px, py);
        if (que == "dblclick") s.DobleClic();
    }
    // The window's pixels, RGBA row by row, and their size.
    val Pantalla() { return Rgba(control_.PlanoInterno().Pantalla()); }
    // The finished picture, as Pantalla.
    val Grafica() const { return Rgba(control_.Grafica()); }
    // Before a sleep: the window as it is now, to the page.
    void Mostrar() {
        const Imagen i = control_.PlanoInterno().Pantalla();
        const std::vector<uint8_t> rgba = i.Bytes(true);
        MostrarAlNavegador(id_, rgba.data(), i.Ancho, i.Alto);
    }

private:
    static val Rechazo(int32_t numero, const std::string& texto) {
        val r = val::object();
        r.set("numero", numero);
        r.set("texto", texto);
        return r;
    }

    static val Rgba(const Imagen& i) {
        const std::vector<uint8_t> rgba = i.Bytes(true);
        val r = val::object();
        r.set("ancho", i.Ancho);
        r.set("alto", i.Alto);
        r.set("datos", val::global("Uint8ClampedArray")
                           .new_(emscripten::typed_memory_view(rgba.size(), rgba.data()))
                           .call<val>("slice"));
        return r;
    }

    void Preparar() {
#define RELIVO_WEB_PARAMETRO(Nombre, Tipo)                          \
    lectores_[#Nombre] = [this] { return val(control_.Nombre()); }; \
    escritores_[#Nombre] = [this](const val& v) { control_.Nombre(Convertir<Tipo>(v)); };
        RELIVO_WEB_PARAMETRO(AnguloX, double)
        RELIVO_WEB_PARAMETRO(AnguloY, double)
        RELIVO_WEB_PARAMETRO(AnguloZ, double)
        RELIVO_WEB_PARAMETRO(AutoEscalaZ, bool)
        RELIVO_WEB_PARAMETRO(Funcion, std::string)
        RELIVO_WEB_PARAMETRO(NumeroLineasX, int16_t)
        RELIVO_WEB_PARAMETRO(NumeroLineasY, int16_t)
        RELIVO_WEB_PARAMETRO(XMax, double)
        RELIVO_WEB_PARAMETRO(XMin, double)
        RELIVO_WEB_PARAMETRO(YMax, double)
        RELIVO_WEB_PARAMETRO(YMin, double)
        RELIVO_WEB_PARAMETRO(ZMax, double)
        RELIVO_WEB_PARAMETRO(ZMin, double)
#undef RELIVO_WEB_PARAMETRO
        // The surface's properties that are plain values; the font and the
        // pictures follow.
#define RELIVO_WEB_SUPERFICIE(Nombre, Tipo, Clase, ...)                 \
    if constexpr (!tipos::Tipo::kObjeto) {                              \
        lectores_[#Nombre] = [this] { return val(control_.Nombre()); }; \
        RELIVO_SI_SE_ASIGNA(                                            \
            Clase, escritores_[#Nombre] = [this](const val& v) {        \
                control_.Nombre(Convertir<tipos::Tipo::Valor>(v));      \
            };)                                                         \
    }
        RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_WEB_SUPERFICIE)
#undef RELIVO_WEB_SUPERFICIE
        // Font as an object {Name, Size, Bold, Italic, Underline,
        // Strikethrough}; a set changes the members the object has.
        lectores_["Font"] = [this] { return AJs(VarianteHost(control_.Font())); };
        escritores_["Font"] = [this](const val& v) {
            control_.Font(FuenteDeJs(v, control_.Font()));
        };
        // The pictures as {ancho, alto, datos: RGBA}, or null.
        lectores_["MouseIcon"] = [this] { return RgbaONulo(control_.MouseIcon()); };
        escritores_["MouseIcon"] = [this](const val& v) { control_.MouseIcon(ImagenDeJs(v)); };
        lectores_["Picture"] = [this] { return RgbaONulo(control_.Picture()); };
        escritores_["Picture"] = [this](const val& v) { control_.Picture(ImagenDeJs(v)); };
    }

    static val RgbaONulo(const Imagen& i) {
        return i.Vacia() ? val::null() : Rgba(i);
    }

    static inline RelivoWeb* enCurso_ = nullptr;
    AnfitrionWeb anfitrion_;
    mutable Relivo control_;
    int32_t id_ = 0;
    std::map<std::string, std::function<val()>> lectores_;
    std::map<std::string, std::function<void(const val&)>> escritores_;
};

// Returns to the browser's event loop when the control has run for a slice,
// through a message to itself (a timeout would wait at least 4 ms); shows
// the window to the page at most every kMilisegundosEntrePintados.
void CederAlNavegador() {
    static double desde = emscripten_get_now();
    static double pintado = 0;
    const double ahora = emscripten_get_now();
    if (ahora - desde < kMilisegundosPorTramo) return;
    RelivoWeb* r = RelivoWeb::EnCurso();
    if (r != nullptr && ahora - pintado >= kMilisegundosEntrePintados) {
        r->Mostrar();
        pintado = ahora;
    }
    VolverAlBucle();
    CorrerPendientes();
    desde = emscripten_get_now();
}

}  // namespace
}  // namespace relivo

extern "C" {

// Graficar of the control `id` (RelivoNativo.id), for ccall with async.
EMSCRIPTEN_KEEPALIVE void relivo_graficar(int32_t id) {
    static const int32_t vigilante = relivo::AgregarVigilante(relivo::CederAlNavegador);
    (void)vigilante;
    const auto it = relivo::Registro().find(id);
    if (it != relivo::Registro().end()) it->second->Graficar();
}
}

EMSCRIPTEN_BINDINGS(relivo_control) {
    using relivo::RelivoWeb;
    // The control's text of an error number, for a refusal the page makes
    // itself (a picture it cannot decode: 321).
    emscripten::function(
        "textoError", +[](int32_t numero) { return relivo::Fallo::Plataforma(numero).texto(); });
    emscripten::class_<RelivoWeb>("RelivoNativo")
        .constructor<int32_t, int32_t>()
        .property("id", &RelivoWeb::Id)
        .property("numeroError", &RelivoWeb::NumeroError)
        .property("error", &RelivoWeb::Error)
        .function("fijarFunciones", &RelivoWeb::FijarFunciones)
        .function("propiedad", &RelivoWeb::Propiedad)
        .function("fijarPropiedad", &RelivoWeb::FijarPropiedad)
        .function("nombres", &RelivoWeb::Nombres)
        .function("documento", &RelivoWeb::Documento)
        .function("metodo", &RelivoWeb::Metodo)
        .function("cargarDocumento", &RelivoWeb::CargarDocumento)
        .function("cancelar", &RelivoWeb::Cancelar)
        .function("teclear", &RelivoWeb::Teclear)
        .function("cls", &RelivoWeb::Cls)
        .function("refresh", &RelivoWeb::Refresh)
        .function("redimensionar", &RelivoWeb::Redimensionar)
        .function("raton", &RelivoWeb::Raton)
        .function("pantalla", &RelivoWeb::Pantalla)
        .function("grafica", &RelivoWeb::Grafica);
}
