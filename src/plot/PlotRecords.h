#pragma once
// Small records the plot object keeps beside its variables and regions.

#include <string>

namespace vtg {

class CPlotEnv;
class Surface;

// A named text value substituted into texts written "&[" name "]". "DATE" and "TIME" always
// exist; an empty value of either means "the current date or time".
class CPlotSymbol {
public:
    CPlotSymbol() = default;
    CPlotSymbol(std::string name, std::string value) : Name(std::move(name)), Value(std::move(value)) {}
    std::string Name;
    std::string Value;
};

// A plot object made by the plot definition script: its id and kind (0 line, 1 polygon,
// 2 text).
class CPlObj {
public:
    int Id = 0;
    int Kind = 0;
};

// An extra item drawn after the annotations. Nothing in the control creates these; a host
// extension may.
class CPlotDisplay {
public:
    virtual ~CPlotDisplay() = default;
    virtual void Draw(Surface& dc, CPlotEnv& env) = 0;
};

}  // namespace vtg
