#include "platform/pagehost/CScriptObjects.h"

#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CBuiltinObjects.h"
#include "platform/pagehost/CScriptValue.h"
#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CServer.h"
#include "platform/pagehost/CSession.h"
#include "platform/script/ScriptEngineFactory.h"

#include <QJSEngine>

namespace {

// Made once per engine. A callable object is a Proxy around the reading
// function, so it can carry members (Request.Form) and refuse writes. Every
// object and member of a page stops working when the page ends (end()), so
// a function the page left behind cannot read or write the next page's
// request, output or session.
const char* const kObjectModel = R"JS(
(function () {
// A literal is a new object each time it is met: the patterns are made once
// per engine (replace starts a global one from the beginning every time).
var patterns = { amp: /&/g, lt: /</g, gt: />/g, quot: /"/g, apos: /'/g, space: /%20/g, reserved: /[!'()*]/g };
return function (request, response, server, session, application, conversionError, headerError) {
    "use strict";
    var alive = true;
    function text(v) { return v === undefined || v === null ? "" : String(v); }
    function refuse(name) { throw new TypeError("Operazione non supportata: " + String(name)); }
    function check() {
        if (!alive)
            throw new TypeError("La pagina è terminata");
    }
    function live(f) {
        return function () {
            check();
            return f.apply(this, arguments);
        };
    }
    function accessor(object, name, get, set) {
        Object.defineProperty(object, name, { get: live(get), set: set ? live(set) : undefined });
    }
    // Plain functions become live ones; members that are objects of the
    // model already are.
    function liveMembers(members) {
        for (var key in members)
            members[key] = live(members[key]);
        return members;
    }
    function guarded(target, members, writable) {
        return new Proxy(target, {
            get: function (t, name) {
                check();
                return name in members ? members[name] : t[name];
            },
            set: function (t, name, value) {
                check();
                if (writable.indexOf(name) < 0)
                    refuse(name);
                members[name] = value;
                return true;
            }
        });
    }
    function collection(host) {
        var members = liveMembers({
            Item: function (key) { return host.GetValue(text(key)); },
            Prova: function (t) { return host.Prova(text(t)); }
        });
        accessor(members, "Count", function () { return host.Count(); });
        members[Symbol.iterator] = live(function () {
            var names = host.Names(), values = host.Values(), i = 0;
            return { next: function () {
                if (i >= names.length)
                    return { done: true, value: undefined };
                var field = { Name: names[i], Value: values[i], toString: function () { return this.Name; } };
                ++i;
                return { done: false, value: field };
            } };
        });
        return guarded(members.Item, members, []);
    }
    var functionMembers = ["toString", "valueOf", "call", "apply", "bind", "constructor"];
    // properties: read-only members read by name (Session.SessionID).
    function values(store, methods, properties) {
        var read = live(function (name) { return store.Item(text(name)); });
        liveMembers(methods);
        for (var property in properties || {})
            accessor(methods, property, properties[property]);
        return new Proxy(read, {
            get: function (t, name) {
                check();
                if (typeof name === "symbol" || functionMembers.indexOf(name) >= 0)
                    return t[name];
                if (name === "Item")
                    return read;
                return name in methods ? methods[name] : store.Item(name);
            },
            set: function (t, name, value) {
                check();
                if (!store.SetItem(String(name), value))
                    throw new TypeError(conversionError);
                return true;
            }
        });
    }

    var requestMembers = {
        QueryString: collection(request.QueryString()),
        Form: collection(request.Form()),
        ServerVariables: collection(request.ServerVariables()),
        Cookies: collection(request.Cookies()),
        BinaryRead: live(function (count) { return request.BinaryRead(Number(count) | 0); }),
        Item: live(function (key) { return request.Item(text(key)); })
    };
    accessor(requestMembers, "TotalBytes", function () { return request.TotalBytes(); });

    // Response.Cookies("n") gives the cookie with its attributes;
    // Response.Cookies.n = v (or ["n"]) sets its value.
    function responseCookie(name) {
        var cookie = {};
        ["Value", "Expires", "Path", "Domain", "Secure", "HttpOnly"].forEach(function (attribute) {
            accessor(cookie, attribute, function () { return response.CookieAttribute(name, attribute); },
                     function (v) {
                         var ok = attribute === "Value" ? response.SetCookieValue(name, text(v))
                                                        : response.SetCookieAttribute(name, attribute, v);
                         if (!ok)
                             throw new TypeError(headerError);
                     });
        });
        cookie.toString = live(function () { return text(response.CookieAttribute(name, "Value")); });
        return cookie;
    }
    var responseCookies = new Proxy(live(function (name) { return responseCookie(text(name)); }), {
        get: function (t, name) {
            check();
            return typeof name === "symbol" ? t[name] : responseCookie(name);
        },
        set: function (t, name, value) {
            check();
            if (!response.SetCookieValue(String(name), text(value)))
                throw new TypeError(headerError);
            return true;
        }
    });
    var responseMembers = liveMembers({
        WriteHTML: function (index) { response.WriteHTML(Number(index) | 0); },
        // A redirect ends the page: nothing after it runs.
        Redirect: function (url) {
            if (!response.ScriptRedirect(text(url)))
                throw new TypeError(headerError);
            response.End();
        },
        AddHeader: function (name, value) {
            if (!response.AddHeader(text(name), text(value)))
                throw new TypeError(headerError);
        },
        BinaryWrite: function (bytes) { response.BinaryWriteScript(bytes); },
        Clear: function () { response.Clear(); },
        End: function () { response.End(); }
    });
    // A page writes hundreds of times: its own check, without the
    // arguments object and the apply of a generic live member.
    responseMembers.Write = function (v) {
        check();
        response.Write(text(v));
    };
    responseMembers.Cookies = responseCookies;
    accessor(responseMembers, "Status", function () { return response.Status(); },
             function (v) {
                 if (!response.SetStatus(text(v)))
                     throw new TypeError(headerError);
             });
    accessor(responseMembers, "Expires", function () { return response.Expires(); },
             function (v) { response.SetExpires(Number(v) | 0); });
    accessor(responseMembers, "ContentType", function () { return response.ContentType(); },
             function (v) {
                 if (!response.ScriptSetContentType(text(v)))
                     throw new TypeError(headerError);
             });
    var serverMembers = liveMembers({
        MapPath: function (path) { return server.ScriptMapPath(text(path)); },
        CreateObject: function (progId) { return server.ScriptCreateObject(text(progId)); }
    });
    serverMembers.HTMLEncode = live(function (v) {
        return text(v).replace(patterns.amp, "&amp;").replace(patterns.lt, "&lt;").replace(patterns.gt, "&gt;")
                      .replace(patterns.quot, "&quot;").replace(patterns.apos, "&#39;");
    });
    serverMembers.URLEncode = live(function (v) {
        return encodeURIComponent(text(v)).replace(patterns.space, "+").replace(patterns.reserved, function (c) {
            return "%" + c.charCodeAt(0).toString(16).toUpperCase();
        });
    });
    accessor(serverMembers, "ScriptTimeout", function () { return server.ScriptTimeout(); },
             function (v) { server.SetScriptTimeout(Number(v) | 0); });

    return {
        Request: guarded(requestMembers.Item, requestMembers, []),
        Response: guarded({}, responseMembers, ["Expires", "ContentType", "Status"]),
        Session: values(session, {
            Abandon: function () { session.Abandon(); },
            RenewID: function () { session.RenewID(); }
        }, { SessionID: function () { return session.SessionID(); } }),
        Application: values(application, {
            Lock: function () { application.ScriptLock(); },
            UnLock: function () { application.ScriptUnLock(); }
        }),
        Server: guarded({}, serverMembers, ["ScriptTimeout"]),
        end: function () { alive = false; }
    };
};
})()
)JS";

QJSValue Wrap(QJSEngine& engine, QObject* object)
{
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return engine.newQObject(object);
}

} // namespace

QJSValue CScriptObjects::Expose(ScriptEngineFactory& factory, CBuiltinObjects& objects)
{
    QJSEngine& engine = *factory.Engine();
    CRequest* request = objects.RequestObject();
    for (QObject* collection : {static_cast<QObject*>(request->QueryString()),
                                static_cast<QObject*>(request->Form()),
                                static_cast<QObject*>(request->ServerVariables()),
                                static_cast<QObject*>(request->Cookies())})
        QJSEngine::setObjectOwnership(collection, QJSEngine::CppOwnership);
    const QJSValue makeModel = factory.Cached(QStringLiteral("CScriptObjects"), [](QJSEngine& e) {
        return e.evaluate(QString::fromUtf8(kObjectModel), QStringLiteral("objects"));
    });
    const QJSValue model = makeModel.call({Wrap(engine, request), Wrap(engine, objects.ResponseObject()),
                                           Wrap(engine, objects.ServerObject()), Wrap(engine, objects.SessionObject()),
                                           Wrap(engine, objects.ApplicationObject()),
                                           QJSValue(CScriptValue::ConversionError()), QJSValue(CResponse::HeaderError())});
    for (const QString& name : Names())
        factory.AddExposedValue(name, model.property(name));
    return model.property(QStringLiteral("end"));
}

QStringList CScriptObjects::Names()
{
    return {QStringLiteral("Request"), QStringLiteral("Response"), QStringLiteral("Session"),
            QStringLiteral("Application"), QStringLiteral("Server")};
}
