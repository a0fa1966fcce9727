// What a form-based container needs of a control: siting and ambient
// properties (IOleObject), in-place activation in a window of the control's
// own (IOleInPlaceObject, IOleInPlaceActiveObject), mnemonics and frozen
// events (IOleControl), drawing its picture into any device context
// (IViewObject2), and saving and loading its settings (IPersistPropertyBag,
// IPersistStreamInit). The two controls supply what differs through the
// virtual members at the end.
#pragma once

#include "component/com_object.h"
#include "component/win32.h"
#include "relivo/platform/font.h"
#include "relivo/platform/property_bag.h"

namespace relivo::com {

class ControlOle : public ObjetoCom,
                   public IOleObject,
                   public IOleInPlaceObject,
                   public IOleInPlaceActiveObject,
                   public IOleControl,
                   public IViewObject2,
                   public IPersistPropertyBag,
                   public IPersistStreamInit {
public:
    ControlOle(const CLSID& clsid, const IID& iidDual, const IID& iidEventos, const wchar_t* fuente,
               DWORD estadoVarios, SIZEL extension);
    ~ControlOle() override;

    // IOleObject.
    STDMETHODIMP SetClientSite(IOleClientSite* sitio) override;
    STDMETHODIMP GetClientSite(IOleClientSite** sitio) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD guardar) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verbo, LPMSG, IOleClientSite* sitio, LONG, HWND padre,
                        LPCRECT posicion) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnum) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD forma, LPOLESTR* tipo) override;
    STDMETHODIMP SetExtent(DWORD aspecto, SIZEL* tamano) override;
    STDMETHODIMP GetExtent(DWORD aspecto, SIZEL* tamano) override;
    STDMETHODIMP Advise(IAdviseSink* sumidero, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppEnum) override;
    STDMETHODIMP GetMiscStatus(DWORD aspecto, DWORD* estado) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject.
    STDMETHODIMP GetWindow(HWND* ventana) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT posicion, LPCRECT recorte) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl.
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL congelar) override;

    // IViewObject2.
    STDMETHODIMP Draw(DWORD aspecto, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL limites,
                      LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspectos, DWORD banderas, IAdviseSink* sumidero) override;
    STDMETHODIMP GetAdvise(DWORD* aspectos, DWORD* banderas, IAdviseSink** sumidero) override;
    STDMETHODIMP GetExtent(DWORD aspecto, LONG, DVTARGETDEVICE*, LPSIZEL tamano) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit.
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bolsa, IErrorLog* registro) override;
    STDMETHODIMP Save(IPropertyBag* bolsa, BOOL limpiar, BOOL todas) override;
    STDMETHODIMP IsDirty() override { return sucio_ ? S_OK : S_FALSE; }
    STDMETHODIMP Load(LPSTREAM flujo) override;
    STDMETHODIMP Save(LPSTREAM flujo, BOOL limpiar) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* tamano) override;

protected:
    void* Interfaz(REFIID riid) override;

    // The container's ambient properties: run mode (true when it does not
    // say) and its font (nothing when it has none).
    bool ModoUsuario() const;
    bool FuenteAmbiente(Fuente& fuente) const;
    // A setting changed: the document is modified.
    void Modificado() { sucio_ = true; }
    // The view changed: the container's view sink is told.
    void VistaCambiada();
    HWND Ventana() const { return ventana_; }

    // ---- What each control supplies.
    // Its size changed to `ancho` x `alto` device pixels.
    virtual void AlCambiarTamano(int32_t ancho, int32_t alto) = 0;
    // Whether the size is fixed to the extent given at creation.
    virtual bool TamanoFijo() const { return false; }
    // Its window came (goes): the control puts its own windows in it (takes
    // them out).
    virtual void AlActivar(HWND) {}
    virtual void AlDesactivar() {}
    // Draws the control into `rect` of `dc`.
    virtual void Dibujar(HDC dc, const RECT& rect) = 0;
    // Reads and writes its settings.
    virtual void Cargar(const BolsaPropiedades&) {}
    virtual void Guardar(BolsaPropiedades&) {}
    // Invisible at run time (no window shown then).
    virtual bool InvisibleEnEjecucion() const { return false; }

private:
    HRESULT ActivarEnSitio(IOleClientSite* sitio, HWND padre, LPCRECT posicion, bool ui);
    SIZE TamanoEnPixeles() const;
    static LRESULT CALLBACK ProcedimientoVentana(HWND h, UINT msg, WPARAM wp, LPARAM lp);

    DWORD estadoVarios_;
    SIZEL extension_;  // HIMETRIC
    // Declared in the reverse of the order they are let go in: the in-place
    // site first, the view's sink last.
    ComPtr<IAdviseSink> sumideroVista_;
    ComPtr<IOleAdviseHolder> avisos_;
    ComPtr<IOleClientSite> sitio_;
    ComPtr<IOleInPlaceSite> sitioEnLugar_;
    DWORD aspectosVista_ = 0, banderasVista_ = 0;
    HWND ventana_ = nullptr;
    bool activoUi_ = false;
    bool sucio_ = false;
};

}  // namespace relivo::com
