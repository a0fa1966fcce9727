// A test host for Evaluar that records every Error event.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "relivo/evaluar.h"

namespace relivo::prueba {

class HostEvaluar : public EventosEvaluar {
public:
    void Error(int32_t NumError, const std::string& DescrError) override {
        eventos.emplace_back(NumError, DescrError);
    }
    std::vector<std::pair<int32_t, std::string>> eventos;
};

inline constexpr int32_t kBase = -2147221504;

}  // namespace relivo::prueba
