#pragma once
// The dispatch interface the host drives the control through, and that the control uses to
// reach host servers: late-bound calls by name or DISPID with Variant arguments, and failures
// reported as automation errors that carry an HRESULT-style code and a message.
//
// A class exposes itself by deriving from DispatchImpl<T> and filling a MemberTable<T> once:
//
//     static const MemberTable<CVortigaCtrl>& Members() {
//         static const MemberTable<CVortigaCtrl> table = [] {
//             MemberTable<CVortigaCtrl> m;
//             m.Method("SetData", 110, &CVortigaCtrl::SetData, {"VarNo", "DataNo", "Value"});
//             m.Property("nvariables", 11, &CVortigaCtrl::m_nvariables, &CVortigaCtrl::OnNvariablesChanged);
//             return m;
//         }();
//         return table;
//     }
//
// The table derives the automation types from the C++ signatures, converts arguments with the
// usual coercions and writes by-reference outputs back; handlers never touch a Variant unless
// they declare one.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Variant.h"

namespace vtg {

enum class HResult : std::int32_t {
    Ok = 0,
    NotImpl = static_cast<std::int32_t>(0x80004001u),
    NoInterface = static_cast<std::int32_t>(0x80004002u),
    Fail = static_cast<std::int32_t>(0x80004005u),
    InvalidArg = static_cast<std::int32_t>(0x80070057u),
    OutOfMemory = static_cast<std::int32_t>(0x8007000Eu),
    MemberNotFound = static_cast<std::int32_t>(0x80020003u),
    TypeMismatch = static_cast<std::int32_t>(0x80020005u),
    UnknownName = static_cast<std::int32_t>(0x80020006u),
    Exception = static_cast<std::int32_t>(0x80020009u),
    Overflow = static_cast<std::int32_t>(0x8002000Au),
    BadIndex = static_cast<std::int32_t>(0x8002000Bu),
    BadParamCount = static_cast<std::int32_t>(0x8002000Eu),
    ClassNotRegistered = static_cast<std::int32_t>(0x80040154u),   // REGDB_E_CLASSNOTREG
    InvalidClassString = static_cast<std::int32_t>(0x800401F3u),   // CO_E_CLASSSTRING: unknown ProgID
};

// "E_INVALIDARG", "DISP_E_TYPEMISMATCH", ... or the code in hexadecimal.
std::string HResultName(HResult hr);
constexpr bool Failed(HResult hr) { return static_cast<std::int32_t>(hr) < 0; }

class AutomationError : public std::exception {
public:
    AutomationError(HResult code, std::string message, int argIndex = -1);

    const char* what() const noexcept override { return message_.c_str(); }
    HResult Code() const { return code_; }
    const std::string& Message() const { return message_; }
    // The zero-based argument the failure concerns, -1 when none.
    int ArgIndex() const { return argIndex_; }

    static AutomationError NotImpl(std::string message);
    static AutomationError Fail(std::string message);
    static AutomationError InvalidArg(std::string message, int argIndex = -1);
    static AutomationError OutOfMemory(std::string message);
    static AutomationError MemberNotFound(std::string message);
    static AutomationError TypeMismatch(std::string message, int argIndex = -1);
    static AutomationError UnknownName(std::string message);
    static AutomationError Exception(std::string message);
    static AutomationError Overflow(std::string message, int argIndex = -1);
    static AutomationError BadIndex(std::string message);
    static AutomationError BadParamCount(std::string message);

private:
    HResult code_;
    std::string message_;
    int argIndex_;
};

using DispId = std::int32_t;

enum class InvokeKind { Method = 1, PropertyGet = 2, PropertyPut = 4 };

enum class MemberKind { Method, Property };

struct ParamInfo {
    std::string name;
    VarType type = VarType::Variant;   // without flags; Variant means "any"
    bool out = false;                  // a by-reference output (in/out)
    friend bool operator==(const ParamInfo&, const ParamInfo&) = default;
};

struct MemberInfo {
    std::string name;
    DispId id = 0;
    MemberKind kind = MemberKind::Method;
    std::vector<ParamInfo> params;         // methods only; a property put takes one value of `result`
    VarType result = VarType::Empty;       // Empty: no result; for a property, its type
    bool canGet = false;                   // properties only
    bool canPut = false;
    bool anyArgCount = false;              // dynamic members that check their own arguments

    bool Supports(InvokeKind kind) const;
};

class MemberTableCore;

class IDispatch {
public:
    virtual ~IDispatch() = default;
    // Case-insensitive; throws UnknownName naming the member.
    virtual DispId GetIDsOfNames(std::string_view name) const = 0;
    // args are in parameter order. Outputs go through by-reference Variants into the caller's
    // storage, or replace the plain Variant in args.
    virtual Variant Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) = 0;
    // The member descriptions, when the object has them (for tools and tests); null otherwise.
    virtual const MemberTableCore* GetTypeInfo() const { return nullptr; }

protected:
    IDispatch() = default;
    IDispatch(const IDispatch&) = default;
    IDispatch& operator=(const IDispatch&) = default;
};

// Late-bound conveniences: look the name up, then invoke.
Variant InvokeByName(IDispatch& object, std::string_view name, InvokeKind kind, std::vector<Variant>& args);
Variant GetProperty(IDispatch& object, std::string_view name);
void PutProperty(IDispatch& object, std::string_view name, Variant value);

// Member descriptions and lookup, shared by every table.
class MemberTableCore {
public:
    const std::vector<MemberInfo>& Entries() const { return members_; }
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }
    std::size_t Size() const { return members_.size(); }

    const MemberInfo* Find(std::string_view name) const;
    const MemberInfo* Find(DispId id) const;
    // Throws UnknownName.
    DispId IdOf(std::string_view name) const;

protected:
    // Duplicate names (ignoring case) or DISPIDs are a programming error: std::logic_error.
    std::size_t Add(MemberInfo info);
    // The member to call; throws MemberNotFound for an unknown DISPID or a kind the member
    // does not support, BadParamCount for a wrong argument count.
    std::size_t Resolve(DispId id, InvokeKind kind, std::size_t argCount) const;
    // Rethrows the exception being handled as an AutomationError: bad_alloc becomes
    // OutOfMemory, anything else Fail with its text.
    [[noreturn]] static void RethrowAsAutomationError(const MemberInfo& member);
    // Wraps a conversion failure of argument `index` as TypeMismatch naming member and parameter.
    [[noreturn]] static void ThrowArgMismatch(const MemberInfo& member, std::size_t index,
                                              const AutomationError& cause);

private:
    std::vector<MemberInfo> members_;
    std::unordered_map<std::string, std::size_t> byName_;   // lower-case names
    std::unordered_map<DispId, std::size_t> byId_;
};

namespace automation_detail {

// What each C++ parameter and result type means at the automation boundary.
template <class V>
struct ValueTraits;

template <>
struct ValueTraits<std::int16_t> {
    static constexpr VarType type = VarType::I2;
    static std::int16_t From(const Variant& v) { return v.ToI2(); }
};
template <>
struct ValueTraits<std::int32_t> {
    static constexpr VarType type = VarType::I4;
    static std::int32_t From(const Variant& v) { return v.ToI4(); }
};
template <>
struct ValueTraits<float> {
    static constexpr VarType type = VarType::R4;
    static float From(const Variant& v) { return v.ToR4(); }
};
template <>
struct ValueTraits<double> {
    static constexpr VarType type = VarType::R8;
    static double From(const Variant& v) { return v.ToR8(); }
};
template <>
struct ValueTraits<bool> {
    static constexpr VarType type = VarType::Bool;
    static bool From(const Variant& v) { return v.ToBool(); }
};
template <>
struct ValueTraits<std::string> {
    static constexpr VarType type = VarType::Bstr;
    static std::string From(const Variant& v) { return v.ToString(); }
};
template <>
struct ValueTraits<Variant> {
    static constexpr VarType type = VarType::Variant;
    static Variant From(const Variant& v) { return v.Deref(); }
};
template <class D>
    requires std::is_base_of_v<IDispatch, D>
struct ValueTraits<std::shared_ptr<D>> {
    static constexpr VarType type = VarType::Dispatch;
    static std::shared_ptr<D> From(const Variant& v) {
        std::shared_ptr<IDispatch> object = v.ToDispatch();
        if constexpr (std::is_same_v<D, IDispatch>) {
            return object;
        } else {
            auto typed = std::dynamic_pointer_cast<D>(object);
            if (object && !typed) throw AutomationError::TypeMismatch("the object is not of the expected class");
            return typed;
        }
    }
};

// Parameters: by value and const& are inputs; a non-const reference is an in/out output.
template <class A>
struct ArgTraits : ValueTraits<A> {
    static constexpr bool out = false;
    using Storage = A;
};
template <class V>
struct ArgTraits<const V&> : ValueTraits<V> {
    static constexpr bool out = false;
    using Storage = V;
};
template <class V>
struct ArgTraits<V&> : ValueTraits<V> {
    static constexpr bool out = true;
    using Storage = V;
};

template <class R>
constexpr VarType ResultType() {
    if constexpr (std::is_void_v<R>) return VarType::Empty;
    else return ValueTraits<std::remove_cvref_t<R>>::type;
}

// Member-function pointer anatomy, for plain, const and noexcept members.
template <class P>
struct MemFn;
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    using Args = std::tuple<A...>;
};
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...) const> : MemFn<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...) noexcept> : MemFn<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...) const noexcept> : MemFn<R (C::*)(A...)> {};

template <class P, class T>
concept MemberFunctionOf = std::is_member_function_pointer_v<P> && std::is_base_of_v<typename MemFn<P>::Class, T>;

template <class Tuple>
struct ParamTypes;
template <class... A>
struct ParamTypes<std::tuple<A...>> {
    static std::vector<ParamInfo> Make(const std::vector<std::string>& names) {
        std::vector<ParamInfo> params;
        std::size_t i = 0;
        ((params.push_back(ParamInfo{names[i++], ArgTraits<A>::type, ArgTraits<A>::out})), ...);
        return params;
    }
};

}  // namespace automation_detail

template <class T>
class MemberTable : public MemberTableCore {
public:
    using Handler = std::function<Variant(T&, const MemberInfo&, std::vector<Variant>&)>;

    // A method; paramNames gives one name per C++ parameter.
    template <class P>
        requires automation_detail::MemberFunctionOf<P, T>
    MemberTable& Method(std::string name, DispId id, P fn, std::vector<std::string> paramNames = {});

    // A property backed by a field; notify (optional) runs after every put.
    template <class C, class F>
        requires(!std::is_function_v<F> && std::is_base_of_v<C, T>)
    MemberTable& Property(std::string name, DispId id, F C::*field, void (C::*notify)() = nullptr);

    // A property with get and set functions.
    template <class G, class S>
        requires automation_detail::MemberFunctionOf<G, T> && automation_detail::MemberFunctionOf<S, T>
    MemberTable& Property(std::string name, DispId id, G get, S set);

    template <class G>
        requires automation_detail::MemberFunctionOf<G, T>
    MemberTable& ReadOnlyProperty(std::string name, DispId id, G get);

    template <class C, class F>
        requires(!std::is_function_v<F> && std::is_base_of_v<C, T>)
    MemberTable& ReadOnlyProperty(std::string name, DispId id, F C::*field);

    Variant Invoke(T& self, DispId id, InvokeKind kind, std::vector<Variant>& args) const;

private:
    struct Handlers {
        Handler call;   // method or property get
        Handler put;
    };

    template <class V>
    static V ConvertPut(const MemberInfo& info, const std::vector<Variant>& args);
    template <class P, class... A, std::size_t... I>
    static Variant CallMethod(T& self, P fn, const MemberInfo& info, std::vector<Variant>& args,
                              std::tuple<A...>*, std::index_sequence<I...>);
    template <class A>
    static typename automation_detail::ArgTraits<A>::Storage ConvertArg(const MemberInfo& info,
                                                                        std::vector<Variant>& args, std::size_t i);
    std::size_t AddWith(MemberInfo info, Handlers handlers);

    std::vector<Handlers> handlers_;   // parallel to Entries()
};

// IDispatch for a class that provides `static const MemberTable<T>& Members()`.
template <class T>
class DispatchImpl : public IDispatch {
public:
    DispId GetIDsOfNames(std::string_view name) const override { return T::Members().IdOf(name); }
    Variant Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override {
        return T::Members().Invoke(static_cast<T&>(*this), id, kind, args);
    }
    const MemberTableCore* GetTypeInfo() const override { return &T::Members(); }
};

// An object whose members are registered at run time with plain handlers: hand-written host
// servers and test fakes. Methods added without parameter names accept any argument count.
class DispatchObject : public IDispatch {
public:
    using Handler = std::function<Variant(std::vector<Variant>&)>;
    using Getter = std::function<Variant()>;
    using Setter = std::function<void(const Variant&)>;
    static constexpr DispId kAutoId = -1;

    DispId AddMethod(std::string name, Handler handler, DispId id = kAutoId);
    DispId AddMethod(std::string name, std::vector<std::string> paramNames, Handler handler, DispId id = kAutoId);
    // A property without a setter is read-only.
    DispId AddProperty(std::string name, Getter get, Setter put = {}, DispId id = kAutoId);

    DispId GetIDsOfNames(std::string_view name) const override;
    Variant Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override;
    const MemberTableCore* GetTypeInfo() const override { return &table_; }

private:
    struct Table : MemberTableCore {
        using MemberTableCore::Add;
        using MemberTableCore::Resolve;
        using MemberTableCore::RethrowAsAutomationError;
    };
    DispId Register(MemberInfo info, Handler call, Setter put);

    Table table_;
    std::vector<Handler> calls_;
    std::vector<Setter> puts_;
    DispId nextId_ = 1;
};

// ---- MemberTable implementation ----

template <class T>
std::size_t MemberTable<T>::AddWith(MemberInfo info, Handlers handlers) {
    const std::size_t index = Add(std::move(info));
    handlers_.push_back(std::move(handlers));
    return index;
}

template <class T>
template <class A>
typename automation_detail::ArgTraits<A>::Storage MemberTable<T>::ConvertArg(const MemberInfo& info,
                                                                            std::vector<Variant>& args,
                                                                            std::size_t i) {
    try {
        return automation_detail::ArgTraits<A>::From(args[i].Deref());
    } catch (const AutomationError& e) {
        ThrowArgMismatch(info, i, e);
    }
}

template <class T>
template <class P, class... A, std::size_t... I>
Variant MemberTable<T>::CallMethod(T& self, P fn, const MemberInfo& info, std::vector<Variant>& args,
                                   std::tuple<A...>*, std::index_sequence<I...>) {
    using automation_detail::ArgTraits;
    // Braced initialisation converts left to right, so the first bad argument is the one reported.
    std::tuple<typename ArgTraits<A>::Storage...> values{ConvertArg<A>(info, args, I)...};
    auto writeBack = [&] {
        ((ArgTraits<A>::out ? SetOutArg(args[I], Variant(std::get<I>(values))) : void()), ...);
    };
    using R = typename automation_detail::MemFn<P>::Result;
    if constexpr (std::is_void_v<R>) {
        (self.*fn)(std::get<I>(values)...);
        writeBack();
        return Variant();
    } else {
        Variant result((self.*fn)(std::get<I>(values)...));
        writeBack();
        return result;
    }
}

template <class T>
template <class P>
    requires automation_detail::MemberFunctionOf<P, T>
MemberTable<T>& MemberTable<T>::Method(std::string name, DispId id, P fn, std::vector<std::string> paramNames) {
    using Fn = automation_detail::MemFn<P>;
    using Args = typename Fn::Args;
    if (paramNames.size() != std::tuple_size_v<Args>) {
        throw std::logic_error("member " + name + ": " + std::to_string(std::tuple_size_v<Args>) +
                               " parameter(s) but " + std::to_string(paramNames.size()) + " name(s)");
    }
    MemberInfo info;
    info.name = std::move(name);
    info.id = id;
    info.kind = MemberKind::Method;
    info.params = automation_detail::ParamTypes<Args>::Make(paramNames);
    info.result = automation_detail::ResultType<typename Fn::Result>();
    Handlers h;
    h.call = [fn](T& self, const MemberInfo& member, std::vector<Variant>& args) {
        return CallMethod(self, fn, member, args, static_cast<Args*>(nullptr),
                          std::make_index_sequence<std::tuple_size_v<Args>>{});
    };
    AddWith(std::move(info), std::move(h));
    return *this;
}

template <class T>
template <class V>
V MemberTable<T>::ConvertPut(const MemberInfo& info, const std::vector<Variant>& args) {
    try {
        return automation_detail::ValueTraits<V>::From(args[0].Deref());
    } catch (const AutomationError& e) {
        ThrowArgMismatch(info, 0, e);
    }
}

template <class T>
template <class C, class F>
    requires(!std::is_function_v<F> && std::is_base_of_v<C, T>)
MemberTable<T>& MemberTable<T>::Property(std::string name, DispId id, F C::*field, void (C::*notify)()) {
    MemberInfo info{std::move(name), id, MemberKind::Property, {}, automation_detail::ValueTraits<F>::type,
                    true, true, false};
    Handlers h;
    h.call = [field](T& self, const MemberInfo&, std::vector<Variant>&) { return Variant(self.*field); };
    h.put = [field, notify](T& self, const MemberInfo& member, std::vector<Variant>& args) {
        self.*field = ConvertPut<F>(member, args);
        if (notify) (self.*notify)();
        return Variant();
    };
    AddWith(std::move(info), std::move(h));
    return *this;
}

template <class T>
template <class G, class S>
    requires automation_detail::MemberFunctionOf<G, T> && automation_detail::MemberFunctionOf<S, T>
MemberTable<T>& MemberTable<T>::Property(std::string name, DispId id, G get, S set) {
    using Value = std::remove_cvref_t<typename automation_detail::MemFn<G>::Result>;
    using SetArgs = typename automation_detail::MemFn<S>::Args;
    static_assert(std::tuple_size_v<typename automation_detail::MemFn<G>::Args> == 0, "a getter takes no parameters");
    static_assert(std::tuple_size_v<SetArgs> == 1, "a setter takes one parameter");
    using SetValue = std::remove_cvref_t<std::tuple_element_t<0, SetArgs>>;
    MemberInfo info{std::move(name), id, MemberKind::Property, {}, automation_detail::ValueTraits<Value>::type,
                    true, true, false};
    Handlers h;
    h.call = [get](T& self, const MemberInfo&, std::vector<Variant>&) { return Variant((self.*get)()); };
    h.put = [set](T& self, const MemberInfo& member, std::vector<Variant>& args) {
        (self.*set)(ConvertPut<SetValue>(member, args));
        return Variant();
    };
    AddWith(std::move(info), std::move(h));
    return *this;
}

template <class T>
template <class G>
    requires automation_detail::MemberFunctionOf<G, T>
MemberTable<T>& MemberTable<T>::ReadOnlyProperty(std::string name, DispId id, G get) {
    using Value = std::remove_cvref_t<typename automation_detail::MemFn<G>::Result>;
    static_assert(std::tuple_size_v<typename automation_detail::MemFn<G>::Args> == 0, "a getter takes no parameters");
    MemberInfo info{std::move(name), id, MemberKind::Property, {}, automation_detail::ValueTraits<Value>::type,
                    true, false, false};
    Handlers h;
    h.call = [get](T& self, const MemberInfo&, std::vector<Variant>&) { return Variant((self.*get)()); };
    AddWith(std::move(info), std::move(h));
    return *this;
}

template <class T>
template <class C, class F>
    requires(!std::is_function_v<F> && std::is_base_of_v<C, T>)
MemberTable<T>& MemberTable<T>::ReadOnlyProperty(std::string name, DispId id, F C::*field) {
    MemberInfo info{std::move(name), id, MemberKind::Property, {}, automation_detail::ValueTraits<F>::type,
                    true, false, false};
    Handlers h;
    h.call = [field](T& self, const MemberInfo&, std::vector<Variant>&) { return Variant(self.*field); };
    AddWith(std::move(info), std::move(h));
    return *this;
}

template <class T>
Variant MemberTable<T>::Invoke(T& self, DispId id, InvokeKind kind, std::vector<Variant>& args) const {
    const std::size_t index = Resolve(id, kind, args.size());
    const MemberInfo& member = Entries()[index];
    const Handlers& h = handlers_[index];
    try {
        return kind == InvokeKind::PropertyPut ? h.put(self, member, args) : h.call(self, member, args);
    } catch (...) {
        RethrowAsAutomationError(member);
    }
}

}  // namespace vtg
