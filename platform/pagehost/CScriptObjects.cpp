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

// Made once per engine: the model's functions, which make a page's objects
// from that page's host objects. A page gets its own five objects (cheap:
// a proxy each) and, the first time it asks for one, its own member of
// them (Request.QueryString, Response.Write...), all bound to the page.
// Every object and member of a page stops working when the page ends
// (end()), so a function the page left behind cannot read or write the
// next page's request, output or session.
const char* const kObjectModel = R"JS(
(function () {
// A literal is a new object each time it is met: the patterns are made once
// per engine (replace starts a global one from the beginning every time).
var patterns = { amp: /&/g, lt: /</g, gt: />/g, quot: /"/g, apos: /'/g, space: /%20/g, reserved: /[!'()*]/g };
return function (conversionError, headerError) {
    "use strict";
    var own = Object.prototype.hasOwnProperty;
    function text(v) { return v === undefined || v === null ? "" : String(v); }
    function refuse(name) { throw new TypeError("Operazione non supportata: " + String(name)); }
    function check(page) {
        if (!page.alive)
            throw new TypeError("La pagina è terminata");
    }
    function live(page, f) {
        return function () {
            check(page);
            return f.apply(this, arguments);
        };
    }
    function accessor(page, object, name, get, set) {
        Object.defineProperty(object, name, { get: live(page, get), set: set ? live(page, set) : undefined });
    }
    // makers: name -> function (page) giving the page's member, made the
    // first time the page reads it; properties: name -> { get, set } of
    // the page (read-only without set); writable: the properties a page
    // may set.
    function guarded(page, target, makers, properties, writable) {
        var members = Object.create(null);
        return new Proxy(target, {
            get: function (t, name) {
                check(page);
                if (typeof name === "string") {
                    if (name in members)
                        return members[name];
                    if (own.call(makers, name))
                        return (members[name] = makers[name](page));
                    if (own.call(properties, name))
                        return properties[name].get(page);
                }
                return t[name];
            },
            set: function (t, name, value) {
                check(page);
                if (writable.indexOf(name) < 0 || !own.call(properties, name))
                    refuse(name);
                properties[name].set(page, value);
                return true;
            }
        });
    }
    function collection(page, host) {
        var members = {
            Item: live(page, function (key) { return host.GetValue(text(key)); }),
            Prova: live(page, function (t) { return host.Prova(text(t)); })
        };
        accessor(page, members, "Count", function () { return host.Count(); });
        members[Symbol.iterator] = live(page, function () {
            var names = host.Names(), values = host.Values(), i = 0;
            return { next: function () {
                if (i >= names.length)
                    return { done: true, value: undefined };
                var field = { Name: names[i], Value: values[i], toString: function () { return this.Name; } };
                ++i;
                return { done: false, value: field };
            } };
        });
        return new Proxy(members.Item, {
            get: function (t, name) {
                check(page);
                return name in members ? members[name] : t[name];
            },
            set: function (t, name) {
                check(page);
                refuse(name);
            }
        });
    }
    var functionMembers = ["toString", "valueOf", "call", "apply", "bind", "constructor"];
    // store: the page's Session or Application; methods: name -> function
    // (store, ...) as the page calls it; properties: read-only members read
    // by name (Session.SessionID).
    function values(page, store, methods, properties) {
        var read = live(page, function (name) { return store.Item(text(name)); });
        var made = Object.create(null);
        return new Proxy(read, {
            get: function (t, name) {
                check(page);
                if (typeof name === "symbol" || functionMembers.indexOf(name) >= 0)
                    return t[name];
                if (name === "Item")
                    return read;
                if (own.call(methods, name))
                    return made[name] || (made[name] = live(page, methods[name].bind(null, store)));
                if (own.call(properties, name))
                    return properties[name](store);
                return store.Item(name);
            },
            set: function (t, name, value) {
                check(page);
                if (!store.SetItem(String(name), value))
                    throw new TypeError(conversionError);
                return true;
            }
        });
    }

    function livePage(f) {
        return function (page) {
            return live(page, function () { return f.apply(this, [page].concat(Array.prototype.slice.call(arguments))); });
        };
    }
    var requestMakers = {
        QueryString: function (page) { return collection(page, page.request.QueryString()); },
        Form: function (page) { return collection(page, page.request.Form()); },
        ServerVariables: function (page) { return collection(page, page.request.ServerVariables()); },
        Cookies: function (page) { return collection(page, page.request.Cookies()); },
        BinaryRead: livePage(function (page, count) { return page.request.BinaryRead(Number(count) | 0); }),
        Item: function (page) { return page.requestItem; }
    };
    var requestProperties = {
        TotalBytes: { get: function (page) { return page.request.TotalBytes(); } }
    };

    // Response.Cookies("n") gives the cookie with its attributes;
    // Response.Cookies.n = v (or ["n"]) sets its value.
    function responseCookie(page, name) {
        var response = page.response, cookie = {};
        ["Value", "Expires", "Path", "Domain", "Secure", "HttpOnly"].forEach(function (attribute) {
            accessor(page, cookie, attribute, function () { return response.CookieAttribute(name, attribute); },
                     function (v) {
                         var ok = attribute === "Value" ? response.SetCookieValue(name, text(v))
                                                        : response.SetCookieAttribute(name, attribute, v);
                         if (!ok)
                             throw new TypeError(headerError);
                     });
        });
        cookie.toString = live(page, function () { return text(response.CookieAttribute(name, "Value")); });
        return cookie;
    }
    function responseCookies(page) {
        return new Proxy(live(page, function (name) { return responseCookie(page, text(name)); }), {
            get: function (t, name) {
                check(page);
                return typeof name === "symbol" ? t[name] : responseCookie(page, name);
            },
            set: function (t, name, value) {
                check(page);
                if (!page.response.SetCookieValue(String(name), text(value)))
                    throw new TypeError(headerError);
                return true;
            }
        });
    }
    function headerSetter(set) {
        return function (page, v) {
            if (!set(page.response, text(v)))
                throw new TypeError(headerError);
        };
    }
    var responseMakers = {
        // A page writes hundreds of times: its own check, without the
        // arguments object and the apply of a generic live member.
        Write: function (page) {
            var response = page.response;
            return function (v) {
                check(page);
                response.Write(text(v));
            };
        },
        WriteHTML: function (page) {
            var response = page.response;
            return function (index) {
                check(page);
                response.WriteHTML(Number(index) | 0);
            };
        },
        // A redirect ends the page: nothing after it runs.
        Redirect: livePage(function (page, url) {
            if (!page.response.ScriptRedirect(text(url)))
                throw new TypeError(headerError);
            page.response.End();
        }),
        AddHeader: livePage(function (page, name, value) {
            if (!page.response.AddHeader(text(name), text(value)))
                throw new TypeError(headerError);
        }),
        BinaryWrite: livePage(function (page, bytes) { page.response.BinaryWriteScript(bytes); }),
        Clear: livePage(function (page) { page.response.Clear(); }),
        End: livePage(function (page) { page.response.End(); }),
        Cookies: responseCookies
    };
    var responseProperties = {
        Status: { get: function (page) { return page.response.Status(); },
                  set: headerSetter(function (response, v) { return response.SetStatus(v); }) },
        Expires: { get: function (page) { return page.response.Expires(); },
                   set: function (page, v) { page.response.SetExpires(Number(v) | 0); } },
        ContentType: { get: function (page) { return page.response.ContentType(); },
                       set: headerSetter(function (response, v) { return response.ScriptSetContentType(v); }) }
    };
    var serverMakers = {
        MapPath: livePage(function (page, path) { return page.server.ScriptMapPath(text(path)); }),
        CreateObject: livePage(function (page, progId) { return page.server.ScriptCreateObject(text(progId)); }),
        HTMLEncode: livePage(function (page, v) {
            return text(v).replace(patterns.amp, "&amp;").replace(patterns.lt, "&lt;").replace(patterns.gt, "&gt;")
                          .replace(patterns.quot, "&quot;").replace(patterns.apos, "&#39;");
        }),
        URLEncode: livePage(function (page, v) {
            return encodeURIComponent(text(v)).replace(patterns.space, "+").replace(patterns.reserved, function (c) {
                return "%" + c.charCodeAt(0).toString(16).toUpperCase();
            });
        })
    };
    var serverProperties = {
        ScriptTimeout: { get: function (page) { return page.server.ScriptTimeout(); },
                         set: function (page, v) { page.server.SetScriptTimeout(Number(v) | 0); } }
    };
    var sessionMethods = {
        Abandon: function (session) { session.Abandon(); },
        RenewID: function (session) { session.RenewID(); }
    };
    var sessionProperties = { SessionID: function (session) { return session.SessionID(); } };
    var applicationMethods = {
        Lock: function (application) { application.ScriptLock(); },
        UnLock: function (application) { application.ScriptUnLock(); }
    };

    // One page's objects.
    return function (request, response, server, session, application) {
        var page = { alive: true, request: request, response: response, server: server };
        page.requestItem = live(page, function (key) { return request.Item(text(key)); });
        return {
            Request: guarded(page, page.requestItem, requestMakers, requestProperties, []),
            // Write and WriteHTML, which a page calls hundreds of times, are
            // its own: read without the proxy's trap, which serves the rest.
            Response: Object.create(guarded(page, {}, responseMakers, responseProperties,
                                            ["Expires", "ContentType", "Status"]),
                                    { Write: { value: responseMakers.Write(page) },
                                      WriteHTML: { value: responseMakers.WriteHTML(page) } }),
            Session: values(page, session, sessionMethods, sessionProperties),
            Application: values(page, application, applicationMethods, {}),
            Server: guarded(page, {}, serverMakers, serverProperties, ["ScriptTimeout"]),
            end: function () { page.alive = false; }
        };
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
    const QJSValue makePage = factory.Cached(QStringLiteral("CScriptObjects"), [](QJSEngine& e) {
        return e.evaluate(QString::fromUtf8(kObjectModel), QStringLiteral("objects"))
            .call({QJSValue(CScriptValue::ConversionError()), QJSValue(CResponse::HeaderError())});
    });
    const QJSValue model = makePage.call({Wrap(engine, request), Wrap(engine, objects.ResponseObject()),
                                          Wrap(engine, objects.ServerObject()), Wrap(engine, objects.SessionObject()),
                                          Wrap(engine, objects.ApplicationObject())});
    for (const QString& name : Names())
        factory.AddExposedValue(name, model.property(name));
    return model.property(QStringLiteral("end"));
}

QStringList CScriptObjects::Names()
{
    return {QStringLiteral("Request"), QStringLiteral("Response"), QStringLiteral("Session"),
            QStringLiteral("Application"), QStringLiteral("Server")};
}
