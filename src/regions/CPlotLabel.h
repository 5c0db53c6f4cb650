#pragma once
// A caption as the plot keeps it: embedded in every axis region (the axis caption), in the
// title region and in every variable (its legend text). Caption regions show one of these
// through a plain pointer, so a label must not move while a region points at it: axis regions,
// title regions and variables are always held by pointer and never copied.

#include <string>

namespace vtg {

class CPlotLabel {
public:
    CPlotLabel() = default;
    virtual ~CPlotLabel() = default;
    CPlotLabel(const CPlotLabel&) = delete;
    CPlotLabel& operator=(const CPlotLabel&) = delete;

    // The persistence hook every plot record has; labels are written by their owners.
    virtual void Serialize() {}

    std::string Text;
    // The substitution value shown in place of the plot's substitution string.
    std::string Text2;
};

}  // namespace vtg
