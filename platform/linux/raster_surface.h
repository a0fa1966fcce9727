// The drawing surface of the Linux back end: a retained raster picture (the
// persistent picture, `Image`) and the raster of what the window shows
// (`Pantalla`), with the scale, pen, brush and font of the surface.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/canvas.h"
#include "platform/linux/stroke.h"
#include "platform/surface_base.h"
#include "platform/surface_scale.h"
#include "relivo/platform/polygon.h"

namespace relivo {

// The state of one surface beyond its properties.
struct EstadoSuperficie {
    int32_t ancho = 0, alto = 0;  // outer size, device pixels
    Imagen persistente;           // the persistent picture (interior size)
    Imagen ventana;               // what the window shows
    Rectangulo cambiado;          // persistent pixels changed since the last Refresh
    Rectangulo porMostrar;        // refreshed pixels the window has yet to take
    MarcasTrazo marcas;
    std::vector<PuntoD> vertices;  // of the polygon being drawn
    bool botonPulsado = false;
    int32_t hdc = 0, hwnd = 0;
    EventosSuperficie* eventos = nullptr;
};

class SuperficieRaster : public SuperficieComun {
public:
    SuperficieRaster(int32_t ancho, int32_t alto);
    ~SuperficieRaster() override;
    SuperficieRaster(const SuperficieRaster&) = delete;
    SuperficieRaster& operator=(const SuperficieRaster&) = delete;

    void FijarEventos(EventosSuperficie* eventos) override { e_.eventos = eventos; }

    float Width() const override { return static_cast<float>(e_.ancho); }
    void Width(float pixeles) override;
    float Height() const override { return static_cast<float>(e_.alto); }
    void Height(float pixeles) override;

    int32_t hDC() const override { return e_.hdc; }
    int32_t hWnd() const override { return e_.hwnd; }
    Imagen Image() const override { return e_.persistente; }

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

    // Polygon on this surface's device context (vertices in device pixels).
    void DibujarPoligono(std::span<const PuntoApi> puntos);

    // Interior size in device pixels.
    int32_t AnchoInterior() const override { return e_.persistente.Ancho; }
    int32_t AltoInterior() const override { return e_.persistente.Alto; }

private:
    void AlCambiarPropiedad(PropiedadSuperficie cual) override;
    // The scale over the interior as it is now.
    EscalaEnPixeles Unidades() const { return {escala_, AnchoInterior(), AltoInterior()}; }
    void CambiarTamano(int32_t ancho, int32_t alto);
    void FijarTamano(int32_t ancho, int32_t alto);
    int32_t Borde() const { return p_.BorderStyle == 1 ? 2 : 0; }

    // Drawing targets.
    Lienzo LienzoDeDibujo(int16_t modo);
    void Presentar();
    void Borrar();  // persistent picture to BackColor and Picture
    Pluma PlumaActual(std::optional<ColorOle> color, bool metodo) const;
    void RaiseResize();

    EstadoSuperficie e_;
};

}  // namespace relivo
