#pragma once
// The exchange of the control's persisted properties with a container: one description of
// what is persisted (ExchangeControlProperties), run against a property bag (named values) or
// against the binary stream (the same values in order). Loading goes into a separate
// ControlProperties value, so that a failure part-way changes nothing of the control.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"
#include "plot/IPlotHost.h"

namespace vtg {

class BinaryReader;
class BinaryWriter;

inline constexpr std::uint32_t kPropertyVersion = 0x00010006;

class PropExchange {
public:
    virtual ~PropExchange() = default;
    virtual bool IsLoading() const = 0;
    // The version of the data: saving writes current; loading reports what was stored (current
    // when the store has none).
    virtual std::uint32_t ExchangeVersion(std::uint32_t current) = 0;
    virtual void Exchange(std::string_view name, std::string& value, const std::string& def) = 0;
    virtual void Exchange(std::string_view name, bool& value, bool def) = 0;
    virtual void Exchange(std::string_view name, std::int16_t& value, std::int16_t def) = 0;
    virtual void Exchange(std::string_view name, std::int32_t& value, std::int32_t def) = 0;
    virtual void Exchange(std::string_view name, float& value, float def) = 0;
};

// Named values, as a container keeps them (names compared without regard to case).
class PropertyBag {
public:
    void Write(std::string_view name, Variant value);
    // Null when the bag has no value of that name.
    const Variant* Read(std::string_view name) const;
    const std::vector<std::pair<std::string, Variant>>& Entries() const { return entries_; }
    bool Remove(std::string_view name);

private:
    std::vector<std::pair<std::string, Variant>> entries_;
};

// Save writes into the bag; Load reads from it (a missing value, or one that does not convert,
// gives the default); Reset gives every property its default.
class BagExchange : public PropExchange {
public:
    enum class Mode { Save, Load, Reset };
    static BagExchange Saving(PropertyBag& bag) { return BagExchange(&bag, &bag, Mode::Save); }
    static BagExchange Loading(const PropertyBag& bag) { return BagExchange(nullptr, &bag, Mode::Load); }
    static BagExchange Resetting() { return BagExchange(nullptr, nullptr, Mode::Reset); }

    bool IsLoading() const override { return mode_ != Mode::Save; }
    std::uint32_t ExchangeVersion(std::uint32_t current) override;
    void Exchange(std::string_view name, std::string& value, const std::string& def) override;
    void Exchange(std::string_view name, bool& value, bool def) override;
    void Exchange(std::string_view name, std::int16_t& value, std::int16_t def) override;
    void Exchange(std::string_view name, std::int32_t& value, std::int32_t def) override;
    void Exchange(std::string_view name, float& value, float def) override;

private:
    BagExchange(PropertyBag* out, const PropertyBag* in, Mode mode) : out_(out), in_(in), mode_(mode) {}
    template <class T>
    void Move(std::string_view name, T& value, const T& def);

    PropertyBag* out_;
    const PropertyBag* in_;
    Mode mode_;
};

// The values in order, little-endian: strings in the archive form, BOOL and long as 32 bits,
// short as 16 bits, float as 32 bits. Reading throws StreamError at the end of the data.
class ArchiveExchange : public PropExchange {
public:
    explicit ArchiveExchange(BinaryWriter& out) : out_(&out) {}
    explicit ArchiveExchange(BinaryReader& in) : in_(&in) {}

    bool IsLoading() const override { return in_ != nullptr; }
    std::uint32_t ExchangeVersion(std::uint32_t current) override;
    void Exchange(std::string_view name, std::string& value, const std::string& def) override;
    void Exchange(std::string_view name, bool& value, bool def) override;
    void Exchange(std::string_view name, std::int16_t& value, std::int16_t def) override;
    void Exchange(std::string_view name, std::int32_t& value, std::int32_t def) override;
    void Exchange(std::string_view name, float& value, float def) override;

private:
    BinaryWriter* out_ = nullptr;
    BinaryReader* in_ = nullptr;
};

// The defaults of the persisted texts, which come from the host's resource strings.
struct TextDefaults {
    std::string title;
    std::string xlabel;
    std::string ylabel;
};
TextDefaults DefaultTexts();

// Exchanges the version, the stock colours and -- when the version is the current one -- the
// persisted properties in their fixed order. Returns whether the persisted properties were
// exchanged (false: older data, which leaves them as they are).
bool ExchangeControlProperties(PropExchange& px, ControlProperties& props, const TextDefaults& defaults);

// Values that a stored property set may hold but the control never accepts through its own
// handlers are replaced by what those handlers would have kept, so that loading cannot build a
// plot the handlers would have refused.
void SanitizeLoadedProperties(ControlProperties& props, const ControlProperties& previous);

}  // namespace vtg
