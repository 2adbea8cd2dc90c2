#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <functional>

class CAspComponent;
class IAspScriptingContext;

// The classes pages may create, by ProgID ("QTR50.Generale"). A library
// registers its classes when it is loaded (QTR_ASP_REGISTER in the class's
// source); ProgIDs compare case-insensitively.
class CAspObjectRegistry
{
public:
    using Factory = std::function<CAspComponent*()>;

    static CAspObjectRegistry& Instance();

    void Register(const QString& progId, Factory factory);
    bool Contains(const QString& progId) const;
    QStringList ProgIds() const;

    // A new object, not started; nullptr for an unknown ProgID.
    CAspComponent* Create(const QString& progId) const;
    // A new object started for the page with context; nullptr for an
    // unknown ProgID. A failing start deletes the object and rethrows.
    CAspComponent* CreateAndStart(const QString& progId, IAspScriptingContext* context) const;

private:
    CAspObjectRegistry() = default;

    mutable QMutex m_mutex;
    QHash<QString, Factory> m_factories;   // by lower-case ProgID
};

// Registers Class under "QTR50.Class" when the library is loaded.
#define QTR_ASP_REGISTER(Class)                                                      \
    namespace {                                                                      \
    const bool g_registered##Class = [] {                                            \
        CAspObjectRegistry::Instance().Register(QStringLiteral("QTR50." #Class),     \
                                                [] { return new Class(); });         \
        return true;                                                                 \
    }();                                                                             \
    }
