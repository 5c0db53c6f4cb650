#include "platform/Automation.h"

#include <cstdio>
#include <new>

namespace vtg {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

const char* KindText(InvokeKind kind) {
    switch (kind) {
        case InvokeKind::Method: return "a method call";
        case InvokeKind::PropertyGet: return "a property get";
        case InvokeKind::PropertyPut: return "a property put";
    }
    return "an unknown call kind";
}

std::string Plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

std::string HResultName(HResult hr) {
    switch (hr) {
        case HResult::Ok: return "S_OK";
        case HResult::NotImpl: return "E_NOTIMPL";
        case HResult::NoInterface: return "E_NOINTERFACE";
        case HResult::Fail: return "E_FAIL";
        case HResult::InvalidArg: return "E_INVALIDARG";
        case HResult::OutOfMemory: return "E_OUTOFMEMORY";
        case HResult::MemberNotFound: return "DISP_E_MEMBERNOTFOUND";
        case HResult::TypeMismatch: return "DISP_E_TYPEMISMATCH";
        case HResult::UnknownName: return "DISP_E_UNKNOWNNAME";
        case HResult::Exception: return "DISP_E_EXCEPTION";
        case HResult::Overflow: return "DISP_E_OVERFLOW";
        case HResult::BadIndex: return "DISP_E_BADINDEX";
        case HResult::BadParamCount: return "DISP_E_BADPARAMCOUNT";
        case HResult::ClassNotRegistered: return "REGDB_E_CLASSNOTREG";
        case HResult::InvalidClassString: return "CO_E_CLASSSTRING";
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
    return buf;
}

// ---- AutomationError ----

AutomationError::AutomationError(HResult code, std::string message, int argIndex)
    : code_(code), message_(std::move(message)), argIndex_(argIndex) {}

AutomationError AutomationError::NotImpl(std::string m) { return {HResult::NotImpl, std::move(m)}; }
AutomationError AutomationError::Fail(std::string m) { return {HResult::Fail, std::move(m)}; }
AutomationError AutomationError::InvalidArg(std::string m, int arg) { return {HResult::InvalidArg, std::move(m), arg}; }
AutomationError AutomationError::OutOfMemory(std::string m) { return {HResult::OutOfMemory, std::move(m)}; }
AutomationError AutomationError::MemberNotFound(std::string m) { return {HResult::MemberNotFound, std::move(m)}; }
AutomationError AutomationError::TypeMismatch(std::string m, int arg) {
    return {HResult::TypeMismatch, std::move(m), arg};
}
AutomationError AutomationError::UnknownName(std::string m) { return {HResult::UnknownName, std::move(m)}; }
AutomationError AutomationError::Exception(std::string m) { return {HResult::Exception, std::move(m)}; }
AutomationError AutomationError::Overflow(std::string m, int arg) { return {HResult::Overflow, std::move(m), arg}; }
AutomationError AutomationError::BadIndex(std::string m) { return {HResult::BadIndex, std::move(m)}; }
AutomationError AutomationError::BadParamCount(std::string m) { return {HResult::BadParamCount, std::move(m)}; }

// ---- members ----

bool MemberInfo::Supports(InvokeKind k) const {
    if (kind == MemberKind::Method) return k == InvokeKind::Method;
    return (k == InvokeKind::PropertyGet && canGet) || (k == InvokeKind::PropertyPut && canPut);
}

const MemberInfo* MemberTableCore::Find(std::string_view name) const {
    const auto it = byName_.find(Lower(name));
    return it == byName_.end() ? nullptr : &members_[it->second];
}

const MemberInfo* MemberTableCore::Find(DispId id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &members_[it->second];
}

DispId MemberTableCore::IdOf(std::string_view name) const {
    if (const MemberInfo* m = Find(name)) return m->id;
    throw AutomationError::UnknownName("unknown member name '" + std::string(name) + "'");
}

std::size_t MemberTableCore::Add(MemberInfo info) {
    std::string key = Lower(info.name);
    if (key.empty()) throw std::logic_error("a member needs a name");
    if (byName_.count(key) != 0) throw std::logic_error("member " + info.name + " is declared twice");
    if (byId_.count(info.id) != 0) {
        throw std::logic_error("member " + info.name + " reuses DISPID " + std::to_string(info.id) + " of " +
                               members_[byId_.at(info.id)].name);
    }
    const std::size_t index = members_.size();
    byName_.emplace(std::move(key), index);
    byId_.emplace(info.id, index);
    members_.push_back(std::move(info));
    return index;
}

std::size_t MemberTableCore::Resolve(DispId id, InvokeKind kind, std::size_t argCount) const {
    const auto it = byId_.find(id);
    if (it == byId_.end()) throw AutomationError::MemberNotFound("no member has DISPID " + std::to_string(id));
    const MemberInfo& m = members_[it->second];
    if (!m.Supports(kind)) {
        const char* what = m.kind == MemberKind::Method ? "a method"
                           : m.canPut && !m.canGet   ? "a write-only property"
                           : !m.canPut               ? "a read-only property"
                                                     : "a property";
        throw AutomationError::MemberNotFound(m.name + " is " + what + " and does not support " + KindText(kind));
    }
    std::size_t expected = 0;
    if (kind == InvokeKind::PropertyPut) expected = 1;
    else if (kind == InvokeKind::Method) expected = m.params.size();
    if (!m.anyArgCount && argCount != expected) {
        throw AutomationError::BadParamCount(m.name + " expects " + Plural(expected, "argument") + ", got " +
                                             std::to_string(argCount));
    }
    return it->second;
}

void MemberTableCore::RethrowAsAutomationError(const MemberInfo& member) {
    try {
        throw;
    } catch (const AutomationError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw AutomationError::OutOfMemory(member.name + ": out of memory");
    } catch (const std::exception& e) {
        throw AutomationError::Fail(member.name + ": " + e.what());
    } catch (...) {
        throw AutomationError::Fail(member.name + ": failed with an unknown exception");
    }
}

void MemberTableCore::ThrowArgMismatch(const MemberInfo& member, std::size_t index, const AutomationError& cause) {
    std::string param;
    if (member.kind == MemberKind::Property) param = "the new value";
    else if (index < member.params.size()) param = "parameter " + member.params[index].name;
    else param = "argument";
    param += " (" + std::to_string(index + 1) + ")";
    throw AutomationError::TypeMismatch(member.name + ": " + param + ": " + cause.Message(), static_cast<int>(index));
}

// ---- late-bound conveniences ----

Variant InvokeByName(IDispatch& object, std::string_view name, InvokeKind kind, std::vector<Variant>& args) {
    return object.Invoke(object.GetIDsOfNames(name), kind, args);
}

Variant GetProperty(IDispatch& object, std::string_view name) {
    std::vector<Variant> none;
    return InvokeByName(object, name, InvokeKind::PropertyGet, none);
}

void PutProperty(IDispatch& object, std::string_view name, Variant value) {
    std::vector<Variant> args{std::move(value)};
    InvokeByName(object, name, InvokeKind::PropertyPut, args);
}

// ---- DispatchObject ----

DispId DispatchObject::Register(MemberInfo info, Handler call, Setter put) {
    if (info.id == kAutoId) {
        while (table_.Find(nextId_) != nullptr) ++nextId_;
        info.id = nextId_++;
    }
    const DispId id = info.id;
    table_.Add(std::move(info));
    calls_.push_back(std::move(call));
    puts_.push_back(std::move(put));
    return id;
}

DispId DispatchObject::AddMethod(std::string name, Handler handler, DispId id) {
    MemberInfo info;
    info.name = std::move(name);
    info.id = id;
    info.kind = MemberKind::Method;
    info.result = VarType::Variant;
    info.anyArgCount = true;
    return Register(std::move(info), std::move(handler), {});
}

DispId DispatchObject::AddMethod(std::string name, std::vector<std::string> paramNames, Handler handler, DispId id) {
    MemberInfo info;
    info.name = std::move(name);
    info.id = id;
    info.kind = MemberKind::Method;
    info.result = VarType::Variant;
    for (auto& p : paramNames) info.params.push_back(ParamInfo{std::move(p), VarType::Variant, false});
    return Register(std::move(info), std::move(handler), {});
}

DispId DispatchObject::AddProperty(std::string name, Getter get, Setter put, DispId id) {
    MemberInfo info;
    info.name = std::move(name);
    info.id = id;
    info.kind = MemberKind::Property;
    info.result = VarType::Variant;
    info.canGet = static_cast<bool>(get);
    info.canPut = static_cast<bool>(put);
    Handler call;
    if (get) call = [get = std::move(get)](std::vector<Variant>&) { return get(); };
    return Register(std::move(info), std::move(call), std::move(put));
}

DispId DispatchObject::GetIDsOfNames(std::string_view name) const { return table_.IdOf(name); }

Variant DispatchObject::Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) {
    const std::size_t index = table_.Resolve(id, kind, args.size());
    // Copies: a handler may add members to this object while it runs.
    const MemberInfo member = table_.Entries()[index];
    try {
        if (kind == InvokeKind::PropertyPut) {
            Setter put = puts_[index];
            put(args[0].Deref());
            return Variant();
        }
        Handler call = calls_[index];
        return call(args);
    } catch (...) {
        Table::RethrowAsAutomationError(member);
    }
}

}  // namespace vtg
