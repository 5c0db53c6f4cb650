#include "control/PropertyExchange.h"

#include <cctype>
#include <cmath>

#include "control/HostServices.h"
#include "platform/Automation.h"
#include "plot/BinaryStream.h"
#include "plot/CPlotVar.h"

namespace vtg {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

constexpr std::string_view kVersionName = "_Version";

template <class T>
T FromVariant(const Variant& v);
template <>
std::string FromVariant(const Variant& v) { return v.ToString(); }
template <>
bool FromVariant(const Variant& v) { return v.ToBool(); }
template <>
std::int16_t FromVariant(const Variant& v) { return v.ToI2(); }
template <>
std::int32_t FromVariant(const Variant& v) { return v.ToI4(); }
template <>
float FromVariant(const Variant& v) { return v.ToR4(); }

}  // namespace

// ---- PropertyBag ----

void PropertyBag::Write(std::string_view name, Variant value) {
    for (auto& [key, stored] : entries_) {
        if (SameName(key, name)) {
            stored = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(name), std::move(value));
}

const Variant* PropertyBag::Read(std::string_view name) const {
    for (const auto& [key, stored] : entries_) {
        if (SameName(key, name)) return &stored;
    }
    return nullptr;
}

bool PropertyBag::Remove(std::string_view name) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (SameName(it->first, name)) {
            entries_.erase(it);
            return true;
        }
    }
    return false;
}

// ---- BagExchange ----

template <class T>
void BagExchange::Move(std::string_view name, T& value, const T& def) {
    switch (mode_) {
        case Mode::Save:
            out_->Write(name, Variant(value));
            return;
        case Mode::Reset:
            value = def;
            return;
        case Mode::Load:
            break;
    }
    const Variant* stored = in_ ? in_->Read(name) : nullptr;
    if (!stored) {
        value = def;
        return;
    }
    try {
        value = FromVariant<T>(stored->Deref());
    } catch (const AutomationError&) {
        value = def;
    }
}

std::uint32_t BagExchange::ExchangeVersion(std::uint32_t current) {
    if (mode_ == Mode::Save) {
        out_->Write(kVersionName, Variant(static_cast<std::int32_t>(current)));
        return current;
    }
    const Variant* stored = mode_ == Mode::Load && in_ ? in_->Read(kVersionName) : nullptr;
    if (!stored) return current;
    try {
        return static_cast<std::uint32_t>(stored->ToI4());
    } catch (const AutomationError&) {
        return 0;
    }
}

void BagExchange::Exchange(std::string_view name, std::string& value, const std::string& def) {
    Move(name, value, def);
}
void BagExchange::Exchange(std::string_view name, bool& value, bool def) { Move(name, value, def); }
void BagExchange::Exchange(std::string_view name, std::int16_t& value, std::int16_t def) {
    Move(name, value, def);
}
void BagExchange::Exchange(std::string_view name, std::int32_t& value, std::int32_t def) {
    Move(name, value, def);
}
void BagExchange::Exchange(std::string_view name, float& value, float def) { Move(name, value, def); }

// ---- ArchiveExchange ----

std::uint32_t ArchiveExchange::ExchangeVersion(std::uint32_t current) {
    if (in_) return in_->U32();
    out_->U32(current);
    return current;
}

void ArchiveExchange::Exchange(std::string_view, std::string& value, const std::string&) {
    if (in_) {
        value = in_->String();
    } else {
        out_->String(value);
    }
}

void ArchiveExchange::Exchange(std::string_view, bool& value, bool) {
    if (in_) {
        value = in_->I32() != 0;
    } else {
        out_->I32(value ? 1 : 0);
    }
}

void ArchiveExchange::Exchange(std::string_view, std::int16_t& value, std::int16_t) {
    if (in_) {
        value = in_->I16();
    } else {
        out_->I16(value);
    }
}

void ArchiveExchange::Exchange(std::string_view, std::int32_t& value, std::int32_t) {
    if (in_) {
        value = in_->I32();
    } else {
        out_->I32(value);
    }
}

void ArchiveExchange::Exchange(std::string_view, float& value, float) {
    if (in_) {
        value = in_->F32();
    } else {
        out_->F32(value);
    }
}

// ---- the control's properties ----

TextDefaults DefaultTexts() {
    return {GetResourceString("IDS_PLOTCTRL_TITLE"), GetResourceString("IDS_PLOTCTRL_XLABEL"),
            GetResourceString("IDS_PLOTCTRL_YLABEL")};
}

bool ExchangeControlProperties(PropExchange& px, ControlProperties& p, const TextDefaults& d) {
    const std::uint32_t version = px.ExchangeVersion(kPropertyVersion);
    px.Exchange("BackColor", p.BackColor, 0xFFFFFF);
    px.Exchange("ForeColor", p.ForeColor, 0);
    if (version != kPropertyVersion) return false;
    px.Exchange("Title", p.Title, d.title);
    px.Exchange("xlabel", p.xlabel, d.xlabel);
    px.Exchange("ylabel", p.ylabel, d.ylabel);
    px.Exchange("nvariables", p.nvariables, std::int16_t{1});
    px.Exchange("nxvariables", p.nxvariables, std::int16_t{1});
    px.Exchange("PlotType", p.PlotType, std::int16_t{0});
    px.Exchange("MultiYaxis", p.MultiYaxis, false);
    px.Exchange("RunPlot", p.RunPlot, false);
    px.Exchange("UseVariable", p.UseVariable, false);
    px.Exchange("TimeWindow", p.TimeWindow, 1.0f);
    px.Exchange("TimeScrollUnit", p.TimeScrollUnit, 0.2f);
    px.Exchange("GridType", p.GridType, std::int16_t{0});
    px.Exchange("MarkerSize", p.MarkerSize, std::int16_t{4});
    px.Exchange("MarkerInterval", p.MarkerInterval, std::int16_t{1});
    px.Exchange("Flipped", p.Flipped, false);
    px.Exchange("SquarePlot", p.SquarePlot, false);
    px.Exchange("DiagonalLine", p.DiagonalLine, false);
    px.Exchange("ZeroLine", p.ZeroLine, false);
    px.Exchange("Parametric", p.Parametric, false);
    px.Exchange("ReverseXAxis", p.ReverseXAxis, false);
    px.Exchange("ShowLegend", p.ShowLegend, false);
    px.Exchange("AddTimeStamp", p.AddTimeStamp, false);
    px.Exchange("DisplayType", p.DisplayType, std::int16_t{2});
    px.Exchange("BufferSize", p.BufferSize, 2000);
    px.Exchange("SizeToData", p.SizeToData, false);
    px.Exchange("VariableDrop", p.VariableDrop, true);
    px.Exchange("IgnoreSetLegend", p.IgnoreSetLegend, false);
    px.Exchange("CommunicationIntervals", p.CommunicationIntervals, std::int16_t{1});
    px.Exchange("InputFile", p.InputFile, std::string());
    return true;
}

void SanitizeLoadedProperties(ControlProperties& p, const ControlProperties& previous) {
    if (p.PlotType < 0 || p.PlotType > 4) p.PlotType = 0;
    if (p.nvariables < 0) p.nvariables = previous.nvariables;
    if (p.nxvariables < 0) p.nxvariables = previous.nxvariables;
    if (!std::isfinite(p.TimeWindow) || !(p.TimeWindow > 0)) p.TimeWindow = previous.TimeWindow;
    if (!(p.TimeScrollUnit >= 0.001f && p.TimeScrollUnit <= p.TimeWindow)) p.TimeScrollUnit = p.TimeWindow * 0.2f;
    if (p.GridType < 0 || p.GridType > 3) p.GridType = 0;
    if (p.DisplayType < 0 || p.DisplayType > 2) p.DisplayType = 2;
    if (p.BufferSize < 1 || static_cast<std::uint32_t>(p.BufferSize) > CPlotVar::kMaxSlots) {
        p.BufferSize = previous.BufferSize;
    }
}

}  // namespace vtg
