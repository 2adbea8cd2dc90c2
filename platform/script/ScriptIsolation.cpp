#include "platform/script/ScriptIsolation.h"

#include <QJSEngine>

namespace {

const char* const kHarden = R"JS(
(function (global) {
    "use strict";
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

    var pristine = new Map(), names = ownKeys(global), globalProto = getProto(global);
    for (var n = 0; n < names.length; ++n)
        pristine.set(names[n], describe(global, names[n]));
    function same(a, b) {
        return a.value === b.value && a.get === b.get && a.set === b.set && a.writable === b.writable
               && a.enumerable === b.enumerable && a.configurable === b.configurable;
    }
    function clearAdded(name) {
        if (deleteProperty(global, name))
            return true;
        var left = describe(global, name);
        if (left && "value" in left && left.writable)
            setProperty(global, name, undefined);
        left = describe(global, name);
        return !left || ("value" in left && left.value === undefined);
    }
    return function () {
        var clean = true;
        var current = ownKeys(global);
        for (var j = 0; j < current.length; ++j)
            if (!pristine.has(current[j]) && !clearAdded(current[j]))
                clean = false;
        pristine.forEach(function (first, name) {
            var now = describe(global, name);
            if (now && same(now, first))
                return;
            try {
                define(global, name, first);
            } catch (fixed) {
                clean = false;
            }
        });
        if (getProto(global) !== globalProto && !setProto(global, globalProto))
            clean = false;
        if (!isExtensible(global))
            clean = false;
        exec(emptyPattern, "");
        return clean;
    };
})(this)
)JS";

} // namespace

QJSValue ScriptIsolation::Harden(QJSEngine& engine)
{
    return engine.evaluate(QString::fromUtf8(kHarden), QStringLiteral("isolation"));
}
