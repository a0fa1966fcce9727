#include "component/ole_objects.h"

#include <cmath>
#include <cstring>

#include "component/text.h"
#include "platform/windows/dib.h"
#include "relivo/platform/error.h"

namespace relivo::com {
namespace {

[[noreturn]] void NoCoinciden() {
    throw Fallo::Plataforma(errores::kTiposNoCoinciden);
}

// Device pixels (96 per inch) of a length in hundredths of a millimetre.
int32_t Pixeles(OLE_XSIZE_HIMETRIC himetricos) {
    return static_cast<int32_t>(std::lround(himetricos * 96.0 / 2540.0));
}

Imagen LeerSeccion(HDC dc, HBITMAP mapa, int32_t ancho, int32_t alto) {
    BITMAPINFO bi = CabeceraDib32(ancho, alto);
    Imagen r(ancho, alto);
    if (GetDIBits(dc, mapa, 0, static_cast<UINT>(alto), r.Pixeles.data(), &bi, DIB_RGB_COLORS) !=
        alto) {
        throw Fallo::Plataforma(errores::kFormatoArchivo);
    }
    // Blue, green, red in memory order: swap to r + 256 g + 65536 b.
    for (int32_t& p : r.Pixeles) {
        const uint32_t v = static_cast<uint32_t>(p);
        p = static_cast<int32_t>(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
    }
    return r;
}

}  // namespace

IFontDisp* CrearFuenteOle(const Fuente& fuente) {
    std::wstring nombre = AUtf16(fuente.Name);
    FONTDESC d{};
    d.cbSizeofstruct = sizeof(d);
    d.lpstrName = nombre.data();
    d.cySize.int64 = std::llround(static_cast<double>(fuente.Size) * 10000.0);
    d.sWeight = static_cast<SHORT>(fuente.Bold ? FW_BOLD : FW_NORMAL);
    d.sCharset = DEFAULT_CHARSET;
    d.fItalic = fuente.Italic;
    d.fUnderline = fuente.Underline;
    d.fStrikethrough = fuente.Strikethrough;
    IFontDisp* f = nullptr;
    if (FAILED(OleCreateFontIndirect(&d, IID_IFontDisp, reinterpret_cast<void**>(&f)))) {
        return nullptr;
    }
    return f;
}

Fuente FuenteDeOle(IUnknown* objeto) {
    if (!objeto) NoCoinciden();
    ComPtr<IFont> f;
    if (FAILED(objeto->QueryInterface(IID_PPV_ARGS(&f)))) NoCoinciden();
    Fuente r;
    BSTR nombre = nullptr;
    if (SUCCEEDED(f->get_Name(&nombre))) r.Name = AUtf8(nombre);
    SysFreeString(nombre);
    CY tamano{};
    if (SUCCEEDED(f->get_Size(&tamano))) r.Size = static_cast<float>(tamano.int64 / 10000.0);
    BOOL b = FALSE;
    if (SUCCEEDED(f->get_Bold(&b))) r.Bold = b != FALSE;
    if (SUCCEEDED(f->get_Italic(&b))) r.Italic = b != FALSE;
    if (SUCCEEDED(f->get_Underline(&b))) r.Underline = b != FALSE;
    if (SUCCEEDED(f->get_Strikethrough(&b))) r.Strikethrough = b != FALSE;
    return r;
}

HBITMAP MapaDeBits(const Imagen& imagen) {
    uint32_t* destino = nullptr;
    HBITMAP mapa = SeccionDib32(nullptr, imagen.Ancho, imagen.Alto, destino);
    if (!mapa) return nullptr;
    for (size_t i = 0; i < imagen.Pixeles.size(); ++i) {
        const uint32_t v = static_cast<uint32_t>(imagen.Pixeles[i]);
        destino[i] = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
    }
    GdiFlush();
    return mapa;
}

IPictureDisp* CrearImagenOle(const Imagen& imagen) {
    if (imagen.Vacia()) return nullptr;
    HBITMAP mapa = MapaDeBits(imagen);
    if (!mapa) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    PICTDESC d{};
    d.cbSizeofstruct = sizeof(d);
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = mapa;
    IPictureDisp* p = nullptr;
    if (FAILED(
            OleCreatePictureIndirect(&d, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&p)))) {
        DeleteObject(mapa);
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    return p;
}

Imagen ImagenDeOle(IUnknown* objeto) {
    if (!objeto) return Imagen();
    ComPtr<IPicture> p;
    if (FAILED(objeto->QueryInterface(IID_PPV_ARGS(&p)))) NoCoinciden();
    SHORT tipo = PICTYPE_NONE;
    p->get_Type(&tipo);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    p->get_Width(&w);
    p->get_Height(&h);
    Imagen r;
    HDC dc = CreateCompatibleDC(nullptr);
    OLE_HANDLE manejador = 0;
    if (tipo == PICTYPE_BITMAP && SUCCEEDED(p->get_Handle(&manejador))) {
        BITMAP bm{};
        HBITMAP mapa = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(manejador));
        if (GetObject(mapa, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0) {
            try {
                r = LeerSeccion(dc, mapa, bm.bmWidth, bm.bmHeight);
            } catch (...) {
                DeleteDC(dc);
                throw;
            }
        }
    } else if (tipo != PICTYPE_NONE && tipo != PICTYPE_UNINITIALIZED) {
        const int32_t ancho = Pixeles(w), alto = Pixeles(h);
        if (ancho > 0 && alto > 0) {
            Imagen negra(ancho, alto, 0);
            HBITMAP mapa = MapaDeBits(negra);
            HGDIOBJ antes = SelectObject(dc, mapa);
            p->Render(dc, 0, 0, ancho, alto, 0, h, w, -h, nullptr);
            SelectObject(dc, antes);
            r = LeerSeccion(dc, mapa, ancho, alto);
            DeleteObject(mapa);
        }
    }
    DeleteDC(dc);
    return r;
}

}  // namespace relivo::com
