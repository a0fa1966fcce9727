// The drawing surface of the Windows back end: a real child window that
// shows a screen bitmap, and a persistent bitmap (`Image`) for AutoRedraw,
// both device-independent sections drawn on with GDI through memory device
// contexts that carry the surface's pen, brush, draw mode and font. `hDC` is
// the device context drawing goes to (the persistent bitmap's with
// AutoRedraw on, the window's screen bitmap's with it off), `hWnd` the
// window.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/surface_base.h"
#include "platform/surface_scale.h"
#include "platform/windows/win32.h"
#include "relivo/platform/polygon.h"

namespace relivo {

// The hidden window that holds the surfaces of controls not placed in a
// container window (a control gives its surface back to it before its own
// window goes).
HWND VentanaDeAparcamiento();

// The state of one surface beyond its properties.
struct EstadoGdi {
    int32_t ancho = 0, alto = 0;  // outer size, device pixels
    int32_t anchoInterior = 0, altoInterior = 0;
    bool botonPulsado = false;
    EventosSuperficie* eventos = nullptr;

    // Windows objects.
    HWND ventana = nullptr;
    HWND aviso = nullptr;  // tooltip
    HDC dcImagen = nullptr, dcPantalla = nullptr;
    HBITMAP mapaImagen = nullptr, mapaPantalla = nullptr;
    HGDIOBJ mapaImagenAntes = nullptr, mapaPantallaAntes = nullptr;
    uint32_t* bitsImagen = nullptr;
    uint32_t* bitsPantalla = nullptr;
    HPEN pluma = nullptr;
    HBRUSH pincel = nullptr;
    HFONT letra = nullptr;
    HCURSOR cursorPropio = nullptr;
};

class SuperficieGdi : public SuperficieComun {
public:
    SuperficieGdi(int32_t ancho, int32_t alto);
    ~SuperficieGdi() override;
    SuperficieGdi(const SuperficieGdi&) = delete;
    SuperficieGdi& operator=(const SuperficieGdi&) = delete;

    void FijarEventos(EventosSuperficie* eventos) override { e_.eventos = eventos; }

    float Width() const override { return static_cast<float>(e_.ancho); }
    void Width(float pixeles) override;
    float Height() const override { return static_cast<float>(e_.alto); }
    void Height(float pixeles) override;

    int32_t hDC() const override;
    int32_t hWnd() const override;
    Imagen Image() const override;

    void Circle(float x, float y, float Radius, std::optional<ColorOle> Color,
                std::optional<float> StartPos, std::optional<float> EndPos,
                std::optional<float> Aspect) override;
    void Cls() override;
    void Line(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color,
              FormaLinea forma) override;
    void PaintPicture(const Imagen& Picture, float X1, float Y1, std::optional<float> Width1,
                      std::optional<float> Height1, std::optional<float> X2,
                      std::optional<float> Y2, std::optional<float> Width2,
                      std::optional<float> Height2, std::optional<int32_t> Opcode) override;
    ColorOle Point(float x, float y) override;
    void PSet(float x, float y, std::optional<ColorOle> Color) override;
    void Refresh() override;
    float TextHeight(std::string_view Str) override;
    float TextWidth(std::string_view Str) override;

    int16_t Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) override;
    void PulsarRaton(int16_t Button, int16_t Shift, float px, float py) override;
    void MoverRaton(int16_t Button, int16_t Shift, float px, float py) override;
    void SoltarRaton(int16_t Button, int16_t Shift, float px, float py) override;
    void DobleClic() override;
    Imagen Pantalla() override;

    // Polygon on one of this surface's device contexts (gdi32's Polygon with
    // the surface's pen and brush); false for a device context of another.
    bool DibujarPoligono(HDC dc, std::span<const PuntoApi> puntos);
    // The surface that owns a device context, or null.
    static SuperficieGdi* DeDc(HDC dc);

    // The window procedure's handlers.
    LRESULT Mensaje(HWND h, UINT msg, WPARAM wp, LPARAM lp);

private:
    // Properties (gdi_properties.cpp).
    void AlCambiarPropiedad(PropiedadSuperficie cual) override;
    int32_t AnchoInterior() const override { return e_.anchoInterior; }
    int32_t AltoInterior() const override { return e_.altoInterior; }
    void CrearCursorPropio();  // of MouseIcon
    void MostrarAviso();       // ToolTipText

    // The scale over the interior as it is now.
    EscalaEnPixeles Unidades() const { return {escala_, e_.anchoInterior, e_.altoInterior}; }
    void CambiarTamano(int32_t ancho, int32_t alto);
    void FijarTamano(int32_t ancho, int32_t alto);
    void Liberar();
    int32_t Borde() const { return p_.BorderStyle == 1 ? 2 : 0; }

    // GDI state of both device contexts.
    void AplicarPluma();
    void AplicarPluma(COLORREF color);
    void AplicarPincel();
    void AplicarLetra();
    // The device context drawing goes to now (the screen bitmap's is shown
    // after the drawing: call Mostrado).
    HDC Destino();
    void Mostrado(HDC dc);
    void Borrar();                        // persistent bitmap to BackColor and Picture
    void CopiarAPantalla(const RECT* r);  // persistent to screen bitmap, shown
    COLORREF ColorDePluma(std::optional<ColorOle> color) const;
    void RaiseResize();

    EstadoGdi e_;
};

}  // namespace relivo
