// The Relivo control in a Linux host: what the recorded scripts of
// relivo_script_test.cpp do not show. The table of defective documents, the
// design-time rule of the z range, the surface's events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/json_bag.h"
#include "tests/support/recording.h"
#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

TEST(RelivoParametros, ZEnTiempoDeDisenoConAutoEscalaFallaLaLlamadaSinEventos) {
    Banco b;
    b.host.FijarUserMode(false);
    for (auto fijar : {+[](Relivo& r) { r.ZMax(3); }, +[](Relivo& r) { r.ZMin(-3); }}) {
        try {
            fijar(*b.r);
            ADD_FAILURE() << "the setter should fail";
        } catch (const Fallo& f) {
            EXPECT_EQ(f.numero(), 382);
            EXPECT_EQ(f.texto(),
                      "Esta propiedad no está disponible en tiempo de diseño, a menos que la "
                      "propiedad 'AutoEscalaZ' tenga un valor 'Verdadero'");
        }
    }
    EXPECT_EQ(b.r->ZMax(), 0);
    EXPECT_EQ(b.r->ZMin(), 0);
    EXPECT_TRUE(b.Eventos().empty());
    EXPECT_EQ(b.r->NumeroError(), 0);
    // Without automatic scaling, and in run mode, the same calls store.
    b.r->AutoEscalaZ(false);
    b.r->ZMax(3);
    b.host.FijarUserMode(true);
    b.r->AutoEscalaZ(true);
    b.r->ZMin(-3);
    EXPECT_EQ(b.r->ZMax(), 3);
    EXPECT_EQ(b.r->ZMin(), -3);
    EXPECT_TRUE(b.Eventos().empty());
}

TEST(RelivoSuperficie, LosEventosDeLaSuperficieLleganAlAnfitrionPorReferencia) {
    Banco b;
    b.host.AlEvento("KeyPress", [](std::span<ArgumentoEvento> a) { a[0].Valor = int16_t{0}; });
    EXPECT_EQ(b.r->PlanoInterno().Teclear(65, 0, 97), 0);
    b.host.AlEvento("KeyPress", {});
    EXPECT_EQ(b.r->PlanoInterno().Teclear(66, 0, 98), 98);
    b.r->PlanoInterno().PulsarRaton(1, 0, 10, 10);
    b.r->PlanoInterno().SoltarRaton(1, 0, 10, 10);
    b.r->PlanoInterno().DobleClic();
    std::vector<std::string> nombres;
    for (const auto& e : b.host.Eventos()) nombres.push_back(e.Nombre);
    EXPECT_EQ(nombres,
              (std::vector<std::string>{"KeyDown", "KeyPress", "KeyUp", "KeyDown", "KeyPress",
                                        "KeyUp", "MouseDown", "MouseUp", "Click", "DblClick"}));
    EXPECT_EQ(b.host.Eventos()[0].Id, 3);
    EXPECT_EQ(b.host.Eventos()[9].Id, 2);
}

// Documents with keys of the wrong type or out of range (tests/data/
// documentos.tsv: the document, the error number or 0 when it loads, and the
// message when it matters):
// loading stops with a clear error thrown to the host, never a crash.
class DocumentosDefectuosos : public testing::TestWithParam<FilaTabla> {};

TEST_P(DocumentosDefectuosos, FallanConUnErrorClaroOCargan) {
    Banco b;
    int32_t numero = 0;
    try {
        b.r->ReadProperties(BolsaJson::DesdeTexto(GetParam()[0]));
    } catch (const Fallo& f) {
        numero = f.numero();
        EXPECT_FALSE(f.texto().empty());
        if (!GetParam()[2].empty()) {
            EXPECT_EQ(f.texto(), GetParam()[2]);
        }
    }
    EXPECT_EQ(std::to_string(numero), GetParam()[1]);
}

INSTANTIATE_TEST_SUITE_P(Datos, DocumentosDefectuosos,
                         testing::ValuesIn(LeerTabla("documentos.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

}  // namespace
}  // namespace relivo::prueba
