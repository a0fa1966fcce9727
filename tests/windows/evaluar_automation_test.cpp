// Evaluar through automation: created by ProgID, driven late-bound by member
// name, its Error event received through its connection point. Every case
// of data/evaluar_casos.jsonl is checked against what the Linux build gives
// for it (the relivo command's batch output); then what only a COM client
// can send: numbers of every width, by-reference variants, text that is a
// number, missing arguments, texts beyond the Latin-1 range.
//
//   evaluar_automation_test CASES.jsonl EXPECTED.jsonl
#include <cmath>
#include <string>
#include <vector>

#include "tests/windows/harness.h"
#include "tests/windows/late_binding.h"
#include "tests/windows/mini_json.h"

namespace {

using prueba::Despacho;
using prueba::Json;
using prueba::Sumidero;
using prueba::V;

V Argumento(const Json& j) {
    if (j.tipo == Json::Tipo::Texto) return V(prueba::Utf16(j.texto));
    return V(j.numero);
}

void CompararCaso(size_t n, const Json& caso, const Json& esperado) {
    const std::string donde = "caso " + std::to_string(n + 1) + " (" + caso["funcion"].texto + ")";
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    if (!COMPROBAR(static_cast<bool>(ev), donde + ": crear")) return;
    auto* sumidero = new Sumidero();
    COMPROBAR(sumidero->Conectar(ev), donde + ": conectar");

    COMPROBAR(ev.Put(L"Funcion", V(prueba::Utf16(caso["funcion"].texto))).Bien(), donde);
    for (const Json& par : caso["substituir"].lista) {
        COMPROBAR(ev.Put(L"Substituir", Argumento(par.lista[1]), {Argumento(par.lista[0])}).Bien(),
                  donde + ": Substituir");
    }
    for (const Json& par : caso["valores"].lista) {
        COMPROBAR(ev.Put(L"Valor", V(par.lista[1].numero), {Argumento(par.lista[0])}).Bien(),
                  donde + ": Valor");
    }
    IGUALES(ev.Get(L"Funcion").valor.Texto(), esperado["funcion"].texto, donde + ": Funcion");
    const short n_var = ev.Get(L"NumeroVariables").valor.Corto();
    IGUALES(static_cast<size_t>(n_var), esperado["variables"].lista.size(),
            donde + ": NumeroVariables");
    for (short i = 1; i <= n_var && static_cast<size_t>(i) <= esperado["variables"].lista.size();
         ++i) {
        IGUALES(ev.Get(L"Variable", {V(i)}).valor.Texto(), esperado["variables"].lista[i - 1].texto,
                donde + ": Variable(" + std::to_string(i) + ")");
    }
    const prueba::Resultado r = ev.Get(L"Resultado");
    COMPROBAR(r.Bien() && r.valor.Tipo() == VT_R8, donde + ": Resultado es un Double");
    IGUALES(r.valor.Doble(), esperado["resultado"].numero, donde + ": Resultado");
    IGUALES(static_cast<double>(ev.Get(L"NumeroError").valor.Entero()),
            esperado["numeroError"].numero, donde + ": NumeroError");
    IGUALES(ev.Get(L"Error").valor.Texto(), esperado["error"].texto, donde + ": Error");
    // The events, in order, with their arguments.
    const auto& eventos = esperado["eventos"].lista;
    IGUALES(sumidero->eventos.size(), eventos.size(), donde + ": eventos");
    for (size_t k = 0; k < eventos.size() && k < sumidero->eventos.size(); ++k) {
        const prueba::Evento& e = sumidero->eventos[k];
        IGUALES(e.nombre, std::wstring(L"Error"), donde + ": nombre del evento");
        IGUALES(e.args.size(), size_t{2}, donde + ": argumentos del evento");
        if (e.args.size() != 2) continue;
        IGUALES(e.args[0].Tipo(), VT_I4, donde + ": NumError es Long");
        IGUALES(static_cast<double>(e.args[0].Entero()), eventos[k]["NumError"].numero,
                donde + ": NumError");
        IGUALES(e.args[1].Texto(), eventos[k]["DescrError"].texto, donde + ": DescrError");
    }
    COMPROBAR(SUCCEEDED(sumidero->Desconectar()), donde + ": desconectar");
    sumidero->Release();
}

// A variant of a given type holding the index 2.
V Indice(VARTYPE tipo) {
    V v;
    VARIANT& r = *v;
    V_VT(&r) = tipo;
    switch (tipo) {
        case VT_I1:
            V_I1(&r) = 2;
            break;
        case VT_UI1:
            V_UI1(&r) = 2;
            break;
        case VT_I2:
            V_I2(&r) = 2;
            break;
        case VT_UI2:
            V_UI2(&r) = 2;
            break;
        case VT_I4:
            V_I4(&r) = 2;
            break;
        case VT_UI4:
            V_UI4(&r) = 2;
            break;
        case VT_I8:
            V_I8(&r) = 2;
            break;
        case VT_UI8:
            V_UI8(&r) = 2;
            break;
        case VT_INT:
            V_INT(&r) = 2;
            break;
        case VT_R4:
            V_R4(&r) = 2.0f;
            break;
        case VT_R8:
            V_R8(&r) = 2.0;
            break;
        case VT_CY:
            V_CY(&r).int64 = 20000;
            break;
        case VT_DATE:
            V_DATE(&r) = 2.0;
            break;
        case VT_DECIMAL:
            V_VT(&r) = VT_EMPTY;
            VarDecFromI4(2, &V_DECIMAL(&r));
            V_VT(&r) = VT_DECIMAL;
            break;
        default:
            break;
    }
    return v;
}

void ComprobarAnchos() {
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    if (!COMPROBAR(static_cast<bool>(ev), "crear")) return;
    ev.Put(L"Funcion", V(L"x - 10*y"));
    ev.Put(L"Valor", V(1.0), {V(L"x")});
    const VARTYPE tipos[] = {VT_I1,  VT_UI1, VT_I2, VT_UI2, VT_I4, VT_UI4,  VT_I8,
                             VT_UI8, VT_INT, VT_R4, VT_R8,  VT_CY, VT_DATE, VT_DECIMAL};
    double valor = 1;
    for (VARTYPE t : tipos) {
        valor += 1;
        const std::string donde = "índice de tipo " + std::to_string(t);
        COMPROBAR(ev.Put(L"Valor", V(valor), {Indice(t)}).Bien(), donde + ": Valor [Let]");
        IGUALES(ev.Get(L"Valor", {Indice(t)}).valor.Doble(), valor, donde + ": Valor [Get]");
        IGUALES(ev.Get(L"Resultado").valor.Doble(), 1 - 10 * valor, donde + ": Resultado");
        IGUALES(ev.Get(L"NumeroError").valor.Entero(), 0L, donde + ": sin error");
    }
    // A by-reference variant, a by-reference long, text that is a number.
    VARIANT interior;
    VariantInit(&interior);
    V_VT(&interior) = VT_BSTR;
    V_BSTR(&interior) = SysAllocString(L"y");
    V ref;
    V_VT(&*ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&*ref) = &interior;
    COMPROBAR(ev.Put(L"Valor", V(7.0), {ref}).Bien(), "Valor con variante por referencia");
    IGUALES(ev.Get(L"Valor", {V(L"Y")}).valor.Doble(), 7.0, "variante por referencia");
    VariantClear(&interior);
    LONG uno = 1;
    V refLong;
    V_VT(&*refLong) = VT_BYREF | VT_I4;
    V_I4REF(&*refLong) = &uno;
    COMPROBAR(ev.Put(L"Valor", V(-3.0), {refLong}).Bien(), "Valor con Long por referencia");
    IGUALES(ev.Get(L"Valor", {V(L"x")}).valor.Doble(), -3.0, "Long por referencia");
    IGUALES(ev.Get(L"Valor", {V(L" 2 ")}).valor.Doble(), 7.0, "texto numérico como índice");
    IGUALES(ev.Get(L"Valor", {V(true)}).valor.Doble(), 0.0, "un booleano es -1: ningún índice");
    IGUALES(ev.Get(L"NumeroError").valor.Entero(), -2147221498L, "booleano: variable inexistente");
}

void ComprobarMiembros() {
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    if (!COMPROBAR(static_cast<bool>(ev), "crear")) return;
    auto* s = new Sumidero();
    s->Conectar(ev);
    ev.Put(L"Funcion", V(L"x*y+z"));
    // Variable(0) enumerates.
    std::string vueltas;
    for (int k = 0; k < 4; ++k) vueltas += ev.Get(L"Variable", {V(short{0})}).valor.Texto();
    IGUALES(vueltas, std::string("XYZX"), "Variable(0) enumera");
    // IndiceVariable takes its argument by reference and leaves it.
    BSTR nombre = SysAllocString(L"y");
    V ref;
    V_VT(&*ref) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&*ref) = &nombre;
    const prueba::Resultado indice = ev.Get(L"IndiceVariable", {ref});
    IGUALES(indice.valor.Tipo(), VT_I2, "IndiceVariable es Integer");
    IGUALES(indice.valor.Corto(), short{2}, "IndiceVariable(\"y\")");
    IGUALES(std::wstring(nombre), std::wstring(L"y"), "IndiceVariable deja su argumento");
    SysFreeString(nombre);
    const prueba::Resultado existe = ev.Get(L"ExisteVariable", {V(L"Z")});
    IGUALES(existe.valor.Tipo(), VT_BOOL, "ExisteVariable es Boolean");
    IGUALES(V_BOOL(&*existe.valor), VARIANT_TRUE, "ExisteVariable(\"Z\") es -1");
    IGUALES(ev.Get(L"ExisteVariable", {V(L"w")}).valor.Booleano(), false, "ExisteVariable(\"w\")");
    IGUALES(s->eventos.size(), size_t{0}, "ExisteVariable no eleva eventos");
    // The accented messages arrive intact through the event and Error.
    ev.Put(L"Funcion", V(L"x + ñ"));
    IGUALES(ev.Get(L"Error").valor.Texto16(),
            std::wstring(L"Existen caracteres no v\u00e1lidos dentro de la funci\u00f3n."),
            "mensaje con acentos");
    if (COMPROBAR(!s->eventos.empty(), "evento de caracteres no válidos")) {
        IGUALES(s->eventos.back().args[1].Texto16(),
                std::wstring(L"Existen caracteres no v\u00e1lidos dentro de la funci\u00f3n."),
                "DescrError con acentos");
    }
    // Substituir takes the new text as a variant.
    ev.Put(L"Funcion", V(L"x+1"));
    COMPROBAR(ev.Put(L"Substituir", V(L"2*t"), {V(L"x")}).Bien(), "Substituir");
    IGUALES(ev.Get(L"Variable", {V(short{1})}).valor.Texto(), std::string("T"), "Substituir: T");
    // A text that is not text: type mismatch through the error path.
    const size_t antes = s->eventos.size();
    COMPROBAR(ev.Put(L"Substituir", V(3.0), {V(L"t")}).Bien(), "Substituir con un número");
    IGUALES(ev.Get(L"NumeroError").valor.Entero(), 13L, "Substituir con un número: 13");
    IGUALES(s->eventos.size(), antes + 1, "Substituir con un número: un evento");
    s->Desconectar();
    s->Release();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("uso: evaluar_automation_test CASOS.jsonl ESPERADO.jsonl\n");
        return 2;
    }
    CoInitialize(nullptr);
    std::vector<Json> casos, esperados;
    COMPROBAR(prueba::LeerLineasJson(argv[1], casos), "leer los casos");
    COMPROBAR(prueba::LeerLineasJson(argv[2], esperados), "leer lo esperado");
    IGUALES(casos.size(), esperados.size(), "un resultado por caso");
    for (size_t i = 0; i < casos.size() && i < esperados.size(); ++i) {
        CompararCaso(i, casos[i], esperados[i]);
    }
    ComprobarAnchos();
    ComprobarMiembros();
    CoUninitialize();
    return prueba::Terminar("evaluar_automation_test");
}
