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

#include "tests/windows/json_files.h"
#include "tests/windows/late_binding.h"
#include "tests/windows/support.h"

namespace {

using prueba::Despacho;
using prueba::Json;
using prueba::Sumidero;
using prueba::V;

V Argumento(const Json& j) {
    if (j.is_string()) return V(prueba::Utf16(j.get<std::string>()));
    return V(j.get<double>());
}

void CompararCaso(size_t n, const Json& caso, const Json& esperado) {
    const std::string donde =
        "caso " + std::to_string(n + 1) + " (" + caso.value("funcion", "") + ")";
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    ASSERT_TRUE(static_cast<bool>(ev)) << donde + ": crear";
    auto sumidero = prueba::Nuevo<prueba::Sumidero>();
    EXPECT_TRUE(sumidero->Conectar(ev)) << donde + ": conectar";

    EXPECT_TRUE(ev.Put(L"Funcion", V(prueba::Utf16(caso.value("funcion", "")))).Bien()) << donde;
    for (const Json& par : caso.value("substituir", Json::array())) {
        EXPECT_TRUE(ev.Put(L"Substituir", Argumento(par[1]), {Argumento(par[0])}).Bien())
            << donde + ": Substituir";
    }
    for (const Json& par : caso.value("valores", Json::array())) {
        EXPECT_TRUE(ev.Put(L"Valor", V(par[1].get<double>()), {Argumento(par[0])}).Bien())
            << donde + ": Valor";
    }
    EXPECT_EQ(ev.Get(L"Funcion").valor.Texto(), esperado.value("funcion", ""))
        << donde + ": Funcion";
    const short n_var = ev.Get(L"NumeroVariables").valor.Corto();
    EXPECT_EQ(static_cast<size_t>(n_var), esperado.value("variables", Json::array()).size())
        << donde + ": NumeroVariables";
    for (short i = 1;
         i <= n_var && static_cast<size_t>(i) <= esperado.value("variables", Json::array()).size();
         ++i) {
        EXPECT_EQ(ev.Get(L"Variable", {V(i)}).valor.Texto(),
                  esperado.value("variables", Json::array())[i - 1].get<std::string>())
            << donde + ": Variable(" + std::to_string(i) + ")";
    }
    const prueba::Resultado r = ev.Get(L"Resultado");
    EXPECT_TRUE(r.Bien() && r.valor.Tipo() == VT_R8) << donde + ": Resultado es un Double";
    EXPECT_EQ(r.valor.Doble(), esperado.value("resultado", 0.0)) << donde + ": Resultado";
    EXPECT_EQ(static_cast<double>(ev.Get(L"NumeroError").valor.Entero()),
              esperado.value("numeroError", 0.0))
        << donde + ": NumeroError";
    EXPECT_EQ(ev.Get(L"Error").valor.Texto(), esperado.value("error", "")) << donde + ": Error";
    // The events, in order, with their arguments.
    const auto& eventos = esperado.value("eventos", Json::array());
    EXPECT_EQ(sumidero->eventos.size(), eventos.size()) << donde + ": eventos";
    for (size_t k = 0; k < eventos.size() && k < sumidero->eventos.size(); ++k) {
        const prueba::Evento& e = sumidero->eventos[k];
        EXPECT_EQ(e.nombre, std::wstring(L"Error")) << donde + ": nombre del evento";
        EXPECT_EQ(e.args.size(), size_t{2}) << donde + ": argumentos del evento";
        if (e.args.size() != 2) continue;
        EXPECT_EQ(e.args[0].Tipo(), VT_I4) << donde + ": NumError es Long";
        EXPECT_EQ(static_cast<double>(e.args[0].Entero()), eventos[k].value("NumError", 0.0))
            << donde + ": NumError";
        EXPECT_EQ(e.args[1].Texto(), eventos[k].value("DescrError", "")) << donde + ": DescrError";
    }
    EXPECT_TRUE(SUCCEEDED(sumidero->Desconectar())) << donde + ": desconectar";
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
    ASSERT_TRUE(static_cast<bool>(ev)) << "crear";
    ev.Put(L"Funcion", V(L"x - 10*y"));
    ev.Put(L"Valor", V(1.0), {V(L"x")});
    const VARTYPE tipos[] = {VT_I1,  VT_UI1, VT_I2, VT_UI2, VT_I4, VT_UI4,  VT_I8,
                             VT_UI8, VT_INT, VT_R4, VT_R8,  VT_CY, VT_DATE, VT_DECIMAL};
    double valor = 1;
    for (VARTYPE t : tipos) {
        valor += 1;
        const std::string donde = "índice de tipo " + std::to_string(t);
        EXPECT_TRUE(ev.Put(L"Valor", V(valor), {Indice(t)}).Bien()) << donde + ": Valor [Let]";
        EXPECT_EQ(ev.Get(L"Valor", {Indice(t)}).valor.Doble(), valor) << donde + ": Valor [Get]";
        EXPECT_EQ(ev.Get(L"Resultado").valor.Doble(), 1 - 10 * valor) << donde + ": Resultado";
        EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), 0L) << donde + ": sin error";
    }
    // A by-reference variant, a by-reference long, text that is a number.
    VARIANT interior;
    VariantInit(&interior);
    V_VT(&interior) = VT_BSTR;
    V_BSTR(&interior) = SysAllocString(L"y");
    V ref;
    V_VT(&*ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&*ref) = &interior;
    EXPECT_TRUE(ev.Put(L"Valor", V(7.0), {ref}).Bien()) << "Valor con variante por referencia";
    EXPECT_EQ(ev.Get(L"Valor", {V(L"Y")}).valor.Doble(), 7.0) << "variante por referencia";
    VariantClear(&interior);
    LONG uno = 1;
    V refLong;
    V_VT(&*refLong) = VT_BYREF | VT_I4;
    V_I4REF(&*refLong) = &uno;
    EXPECT_TRUE(ev.Put(L"Valor", V(-3.0), {refLong}).Bien()) << "Valor con Long por referencia";
    EXPECT_EQ(ev.Get(L"Valor", {V(L"x")}).valor.Doble(), -3.0) << "Long por referencia";
    EXPECT_EQ(ev.Get(L"Valor", {V(L" 2 ")}).valor.Doble(), 7.0) << "texto numérico como índice";
    EXPECT_EQ(ev.Get(L"Valor", {V(true)}).valor.Doble(), 0.0) << "un booleano es -1: ningún índice";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), -2147221498L)
        << "booleano: variable inexistente";
}

void ComprobarMiembros() {
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    ASSERT_TRUE(static_cast<bool>(ev)) << "crear";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(ev);
    ev.Put(L"Funcion", V(L"x*y+z"));
    // Variable(0) enumerates.
    std::string vueltas;
    for (int k = 0; k < 4; ++k) vueltas += ev.Get(L"Variable", {V(short{0})}).valor.Texto();
    EXPECT_EQ(vueltas, std::string("XYZX")) << "Variable(0) enumera";
    // IndiceVariable takes its argument by reference and leaves it.
    BSTR nombre = SysAllocString(L"y");
    V ref;
    V_VT(&*ref) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&*ref) = &nombre;
    const prueba::Resultado indice = ev.Get(L"IndiceVariable", {ref});
    EXPECT_EQ(indice.valor.Tipo(), VT_I2) << "IndiceVariable es Integer";
    EXPECT_EQ(indice.valor.Corto(), short{2}) << "IndiceVariable(\"y\")";
    EXPECT_EQ(std::wstring(nombre), std::wstring(L"y")) << "IndiceVariable deja su argumento";
    SysFreeString(nombre);
    const prueba::Resultado existe = ev.Get(L"ExisteVariable", {V(L"Z")});
    EXPECT_EQ(existe.valor.Tipo(), VT_BOOL) << "ExisteVariable es Boolean";
    EXPECT_EQ(V_BOOL(&*existe.valor), VARIANT_TRUE) << "ExisteVariable(\"Z\") es -1";
    EXPECT_EQ(ev.Get(L"ExisteVariable", {V(L"w")}).valor.Booleano(), false)
        << "ExisteVariable(\"w\")";
    EXPECT_EQ(s->eventos.size(), size_t{0}) << "ExisteVariable no eleva eventos";
    // The accented messages arrive intact through the event and Error.
    ev.Put(L"Funcion", V(L"x + ñ"));
    EXPECT_EQ(ev.Get(L"Error").valor.Texto16(),
              std::wstring(L"Existen caracteres no v\u00e1lidos dentro de la funci\u00f3n."))
        << "mensaje con acentos";
    if (RELIVO_CUMPLE(!s->eventos.empty(), "evento de caracteres no válidos")) {
        EXPECT_EQ(s->eventos.back().args[1].Texto16(),
                  std::wstring(L"Existen caracteres no v\u00e1lidos dentro de la funci\u00f3n."))
            << "DescrError con acentos";
    }
    // Substituir takes the new text as a variant.
    ev.Put(L"Funcion", V(L"x+1"));
    EXPECT_TRUE(ev.Put(L"Substituir", V(L"2*t"), {V(L"x")}).Bien()) << "Substituir";
    EXPECT_EQ(ev.Get(L"Variable", {V(short{1})}).valor.Texto(), std::string("T"))
        << "Substituir: T";
    // A text that is not text: type mismatch through the error path.
    const size_t antes = s->eventos.size();
    EXPECT_TRUE(ev.Put(L"Substituir", V(3.0), {V(L"t")}).Bien()) << "Substituir con un número";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), 13L) << "Substituir con un número: 13";
    EXPECT_EQ(s->eventos.size(), antes + 1) << "Substituir con un número: un evento";
    s->Desconectar();
}

}  // namespace

TEST(EvaluarPorAutomatizacion, CasosComoEnLinux) {
    const std::vector<Json> casos = prueba::LeerLineasJson(prueba::Argumentos()[0]);
    const std::vector<Json> esperados = prueba::LeerLineasJson(prueba::Argumentos()[1]);
    ASSERT_FALSE(casos.empty());
    ASSERT_EQ(casos.size(), esperados.size()) << "un resultado por caso";
    for (size_t i = 0; i < casos.size(); ++i) CompararCaso(i, casos[i], esperados[i]);
}
TEST(EvaluarPorAutomatizacion, Anchos) {
    ComprobarAnchos();
}
TEST(EvaluarPorAutomatizacion, Miembros) {
    ComprobarMiembros();
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "CASOS.jsonl ESPERADO.jsonl", 2, 2);
}
