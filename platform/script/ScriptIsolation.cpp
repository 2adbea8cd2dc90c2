#include "platform/script/ScriptIsolation.h"

#include <QJSEngine>

namespace {

const char* const kHarden = R"JS(
(function (global, reserved) {
    "use strict";
    for (var r = 0; r < reserved.length; ++r)
        if (!(reserved[r] in global))
            global[reserved[r]] = undefined;
    var getProto = Object.getPrototypeOf, ownKeys = Reflect.ownKeys, describe = Reflect.getOwnPropertyDescriptor,
        define = Object.defineProperty, freeze = Object.freeze, isExtensible = Object.isExtensible,
        deleteProperty = Reflect.deleteProperty, setProperty = Reflect.set, setProto = Reflect.setPrototypeOf,
        exec = Function.prototype.call.bind(RegExp.prototype.exec), emptyPattern = /(?:)/;

    // A data member of a built-in that a script may set on its own objects:
    // an accessor whose setter gives the object its own property.
    function assignable(proto, names) {
        for (var i = 0; i < names.length; ++i) {
            var name = names[i], found = describe(proto, name);
            if (!found || !("value" in found) || !found.configurable)
                continue;
            (function (name, value) {
                define(proto, name, {
                    get: function () { return value; },
                    set: function (v) {
                        if (this === proto)
                            throw new TypeError("Un oggetto predefinito non si modifica: " + String(name));
                        define(this, name, { value: v, writable: true, enumerable: true, configurable: true });
                    },
                    enumerable: found.enumerable,
                    configurable: false
                });
            })(name, found.value);
        }
    }
    var common = ["constructor", "toString", "toLocaleString", "valueOf"];
    assignable(Object.prototype, common.concat(["hasOwnProperty", "isPrototypeOf", "propertyIsEnumerable"]));
    assignable(Function.prototype, ["constructor", "toString", "call", "apply", "bind"]);
    assignable(Array.prototype, ["constructor", "toString", "join", "push"]);
    var errors = [Error, EvalError, RangeError, ReferenceError, SyntaxError, TypeError, URIError];
    for (var e = 0; e < errors.length; ++e)
        assignable(errors[e].prototype, ["constructor", "message", "name", "toString"]);

    var seen = new Set([global]), queue = [];
    function add(v) {
        if (((typeof v === "object" && v !== null) || typeof v === "function") && !seen.has(v)) {
            seen.add(v);
            queue.push(v);
        }
    }
    function addMembers(o) {
        var keys = ownKeys(o);
        for (var i = 0; i < keys.length; ++i) {
            var member = describe(o, keys[i]);
            if ("value" in member) {
                add(member.value);
            } else {
                add(member.get);
                add(member.set);
            }
        }
    }
    addMembers(global);
    var samples = [
        function () { return function* () {}; },
        function () { return (function* () {})(); },
        function () { return [][Symbol.iterator](); },
        function () { return ""[Symbol.iterator](); },
        function () { return new Map()[Symbol.iterator](); },
        function () { return new Set()[Symbol.iterator](); },
        function () { return /x/[Symbol.matchAll]("x"); },
        function () { return new Int8Array(0); },
        function () { return (function () { "use strict"; return arguments; })(); }
    ];
    for (var s = 0; s < samples.length; ++s) {
        try {
            var sample = samples[s]();
            add(getProto(sample));
            addMembers(sample);
        } catch (missing) {
        }
    }
    while (queue.length > 0) {
        var o = queue.pop();
        add(getProto(o));
        addMembers(o);
        freeze(o);
    }

    // The global object's own properties stay assignable (a page may name a
    // variable URL) but can no longer be deleted or turned into accessors,
    // so putting one back is a plain comparison and assignment.
    var pristine = new Set(ownKeys(global)), globalProto = getProto(global), builtins = [], firstValues = [];
    pristine.forEach(function (name) {
        var first = describe(global, name);
        if (first.configurable)
            define(global, name, { value: first.value, writable: first.writable, enumerable: first.enumerable,
                                   configurable: false });
        if (first.writable) {
            builtins.push(name);
            firstValues.push(first.value);
        }
    });
    function clearAdded(name) {
        if (deleteProperty(global, name))
            return true;
        var left = describe(global, name);
        if (left && "value" in left && left.writable && left.value !== undefined)
            setProperty(global, name, undefined);
        left = describe(global, name);
        return !left || ("value" in left && left.value === undefined);
    }
    return function () {
        var clean = true;
        var current = ownKeys(global);
        // The global object's first properties cannot be deleted: as many
        // as there were, none was added.
        if (current.length !== pristine.size)
            for (var j = current.length - 1; j >= 0; --j)
                if (!pristine.has(current[j]) && !clearAdded(current[j]))
                    clean = false;
        for (var k = 0; k < builtins.length; ++k) {
            if (global[builtins[k]] === firstValues[k])
                continue;
            setProperty(global, builtins[k], firstValues[k]);
            if (global[builtins[k]] !== firstValues[k])
                clean = false;
        }
        if (getProto(global) !== globalProto && !setProto(global, globalProto))
            clean = false;
        if (!isExtensible(global))
            clean = false;
        exec(emptyPattern, "");
        return clean;
    };
})
)JS";

} // namespace

QJSValue ScriptIsolation::Harden(QJSEngine& engine, const QStringList& reserved)
{
    const QJSValue harden = engine.evaluate(QString::fromUtf8(kHarden), QStringLiteral("isolation"));
    QJSValue names = engine.newArray(quint32(reserved.size()));
    for (qsizetype i = 0; i < reserved.size(); ++i)
        names.setProperty(quint32(i), reserved.at(i));
    return harden.call({engine.globalObject(), names});
}
