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
#include "platform/polygon.h"
#include "platform/surface.h"
#include "platform/surface_scale.h"

namespace relivo {

// The state of one surface.
struct EstadoSuperficie {
    int32_t ancho = 0, alto = 0;  // outer size, device pixels
    int16_t align = 0, borderStyle = 1, drawMode = 13, drawStyle = 0, drawWidth = 1;
    int16_t fillStyle = 1, mousePointer = 0;
    bool autoRedraw = false, enabled = true, fontTransparent = true;
    ColorOle backColor = colores_sistema::kCaraBoton;
    ColorOle fillColor = 0;
    ColorOle foreColor = colores_sistema::kTextoBoton;
    float currentX = 0, currentY = 0;
    EscalaSuperficie escala;
    Fuente fuente;
    Imagen mouseIcon, picture;
    std::string toolTipText;
    int32_t whatsThisHelpID = 0;

    Imagen persistente;     // the persistent picture (interior size)
    Imagen ventana;         // what the window shows
    Rectangulo cambiado;    // persistent pixels changed since the last Refresh
    Rectangulo porMostrar;  // refreshed pixels the window has yet to take
    MarcasTrazo marcas;
    std::vector<PuntoD> vertices;  // of the polygon being drawn
    bool botonPulsado = false;
    int32_t hdc = 0, hwnd = 0;
    EventosSuperficie* eventos = nullptr;
};

class SuperficieRaster : public SuperficieDibujo {
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

    int16_t Align() const override { return e_.align; }
    void Align(int16_t valor) override;
    int16_t Appearance() const override { return 1; }
    bool AutoRedraw() const override { return e_.autoRedraw; }
    void AutoRedraw(bool valor) override { e_.autoRedraw = valor; }
    ColorOle BackColor() const override { return e_.backColor; }
    void BackColor(ColorOle valor) override;
    int16_t BorderStyle() const override { return e_.borderStyle; }
    void BorderStyle(int16_t valor) override;
    float CurrentX() const override { return e_.currentX; }
    void CurrentX(float valor) override { e_.currentX = valor; }
    float CurrentY() const override { return e_.currentY; }
    void CurrentY(float valor) override { e_.currentY = valor; }
    int16_t DrawMode() const override { return e_.drawMode; }
    void DrawMode(int16_t valor) override;
    int16_t DrawStyle() const override { return e_.drawStyle; }
    void DrawStyle(int16_t valor) override;
    int16_t DrawWidth() const override { return e_.drawWidth; }
    void DrawWidth(int16_t valor) override;
    bool Enabled() const override { return e_.enabled; }
    void Enabled(bool valor) override { e_.enabled = valor; }
    ColorOle FillColor() const override { return e_.fillColor; }
    void FillColor(ColorOle valor) override;
    int16_t FillStyle() const override { return e_.fillStyle; }
    void FillStyle(int16_t valor) override;
    Fuente Font() const override { return e_.fuente; }
    void Font(const Fuente& valor) override;
    bool FontBold() const override { return e_.fuente.Bold; }
    void FontBold(bool valor) override { e_.fuente.Bold = valor; }
    bool FontItalic() const override { return e_.fuente.Italic; }
    void FontItalic(bool valor) override { e_.fuente.Italic = valor; }
    std::string FontName() const override { return e_.fuente.Name; }
    void FontName(std::string_view valor) override { e_.fuente.Name = std::string(valor); }
    float FontSize() const override { return e_.fuente.Size; }
    void FontSize(float valor) override;
    bool FontStrikethru() const override { return e_.fuente.Strikethrough; }
    void FontStrikethru(bool valor) override { e_.fuente.Strikethrough = valor; }
    bool FontTransparent() const override { return e_.fontTransparent; }
    void FontTransparent(bool valor) override { e_.fontTransparent = valor; }
    bool FontUnderline() const override { return e_.fuente.Underline; }
    void FontUnderline(bool valor) override { e_.fuente.Underline = valor; }
    ColorOle ForeColor() const override { return e_.foreColor; }
    void ForeColor(ColorOle valor) override;
    int32_t hDC() const override { return e_.hdc; }
    int32_t hWnd() const override { return e_.hwnd; }
    Imagen Image() const override { return e_.persistente; }
    Imagen MouseIcon() const override { return e_.mouseIcon; }
    void MouseIcon(const Imagen& valor) override;
    int16_t MousePointer() const override { return e_.mousePointer; }
    void MousePointer(int16_t valor) override;
    Imagen Picture() const override { return e_.picture; }
    void Picture(const Imagen& valor) override;
    float ScaleHeight() const override { return e_.escala.scaleHeight; }
    void ScaleHeight(float valor) override;
    float ScaleLeft() const override { return e_.escala.scaleLeft; }
    void ScaleLeft(float valor) override;
    int16_t ScaleMode() const override { return e_.escala.scaleMode; }
    void ScaleMode(int16_t valor) override;
    float ScaleTop() const override { return e_.escala.scaleTop; }
    void ScaleTop(float valor) override;
    float ScaleWidth() const override { return e_.escala.scaleWidth; }
    void ScaleWidth(float valor) override;
    std::string ToolTipText() const override { return e_.toolTipText; }
    void ToolTipText(std::string_view valor) override { e_.toolTipText = std::string(valor); }
    int32_t WhatsThisHelpID() const override { return e_.whatsThisHelpID; }
    void WhatsThisHelpID(int32_t valor) override { e_.whatsThisHelpID = valor; }

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
    int32_t AnchoInterior() const { return e_.persistente.Ancho; }
    int32_t AltoInterior() const { return e_.persistente.Alto; }

private:
    // The scale over the interior as it is now.
    EscalaEnPixeles Unidades() const { return {e_.escala, AnchoInterior(), AltoInterior()}; }
    void CambiarTamano(int32_t ancho, int32_t alto);
    void FijarTamano(int32_t ancho, int32_t alto);
    int32_t Borde() const { return e_.borderStyle == 1 ? 2 : 0; }

    // Drawing targets.
    Lienzo LienzoDeDibujo(int16_t modo);
    void Presentar();
    void Borrar();  // persistent picture to BackColor and Picture
    Pluma PlumaActual(std::optional<ColorOle> color, bool metodo) const;
    void RaiseResize();

    EstadoSuperficie e_;
};

}  // namespace relivo
