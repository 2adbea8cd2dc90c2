#include "platform/pagehost/CScriptObjects.h"

#include "platform/pagehost/CBuiltinObjects.h"
#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CServer.h"
#include "platform/pagehost/CSession.h"
#include "platform/script/ScriptEngineFactory.h"

#include <QJSEngine>

namespace {

// Made once per engine. A callable object is a Proxy around the reading
// function, so it can carry members (Request.Form) and refuse writes.
const char* const kObjectModel = R"JS(
(function (request, response, server, session, conversionError) {
    "use strict";
    function text(v) { return v === undefined || v === null ? "" : String(v); }
    function refuse(name) { throw new TypeError("Operazione non supportata: " + String(name)); }
    function guarded(target, members, writable) {
        return new Proxy(target, {
            get: function (t, name) { return name in members ? members[name] : t[name]; },
            set: function (t, name, value) {
                if (writable.indexOf(name) < 0)
                    refuse(name);
                members[name] = value;
                return true;
            }
        });
    }
    function collection(host) {
        var members = {
            Item: function (key) { return host.GetValue(text(key)); },
            Prova: function (t) { return host.Prova(text(t)); }
        };
        Object.defineProperty(members, "Count", { get: function () { return host.Count(); } });
        members[Symbol.iterator] = function () {
            var names = host.Names(), values = host.Values(), i = 0;
            return { next: function () {
                if (i >= names.length)
                    return { done: true, value: undefined };
                var field = { Name: names[i], Value: values[i], toString: function () { return this.Name; } };
                ++i;
                return { done: false, value: field };
            } };
        };
        return guarded(members.Item, members, []);
    }

    var requestMembers = {
        QueryString: collection(request.QueryString()),
        Form: collection(request.Form()),
        ServerVariables: collection(request.ServerVariables()),
        Item: function (key) { return request.Item(text(key)); }
    };
    var responseMembers = {
        Write: function (v) { response.Write(text(v)); },
        WriteHTML: function (index) { response.WriteHTML(Number(index) | 0); },
        Redirect: function (url) { response.Redirect(text(url)); }
    };
    Object.defineProperty(responseMembers, "Expires", {
        get: function () { return response.Expires(); },
        set: function (v) { response.SetExpires(Number(v) | 0); }
    });
    var serverMembers = {
        MapPath: function (path) { return server.ScriptMapPath(text(path)); },
        CreateObject: function (progId) { return server.ScriptCreateObject(text(progId)); }
    };

    var readSession = function (name) { return session.Item(text(name)); };
    var functionMembers = ["toString", "valueOf", "call", "apply", "bind", "constructor"];
    var sessionObject = new Proxy(readSession, {
        get: function (t, name) {
            if (typeof name === "symbol" || functionMembers.indexOf(name) >= 0)
                return t[name];
            return name === "Item" ? readSession : session.Item(name);
        },
        set: function (t, name, value) {
            if (!session.SetItem(String(name), value))
                throw new TypeError(conversionError);
            return true;
        }
    });

    return {
        Request: guarded(requestMembers.Item, requestMembers, []),
        Response: guarded({}, responseMembers, ["Expires"]),
        Session: sessionObject,
        Server: guarded({}, serverMembers, [])
    };
})
)JS";

QJSValue Wrap(QJSEngine& engine, QObject* object)
{
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return engine.newQObject(object);
}

} // namespace

void CScriptObjects::Expose(ScriptEngineFactory& factory, CBuiltinObjects& objects)
{
    QJSEngine& engine = *factory.Engine();
    CRequest* request = objects.RequestObject();
    for (QObject* collection : {static_cast<QObject*>(request->QueryString()),
                                static_cast<QObject*>(request->Form()),
                                static_cast<QObject*>(request->ServerVariables())})
        QJSEngine::setObjectOwnership(collection, QJSEngine::CppOwnership);
    const QJSValue makeModel = factory.Cached(QStringLiteral("CScriptObjects"), [](QJSEngine& e) {
        return e.evaluate(QString::fromUtf8(kObjectModel), QStringLiteral("objects"));
    });
    const QJSValue model = makeModel.call({Wrap(engine, request), Wrap(engine, objects.ResponseObject()),
                                      Wrap(engine, objects.ServerObject()), Wrap(engine, objects.SessionObject()),
                                      QJSValue(CSession::ConversionError())});
    for (const char* name : {"Request", "Response", "Session", "Server"})
        factory.AddExposedValue(QString::fromLatin1(name), model.property(QString::fromLatin1(name)));
}
