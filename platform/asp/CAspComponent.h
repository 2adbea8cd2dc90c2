#pragma once

#include <QObject>

class IAspScriptingContext;

// An object that pages create by ProgID. Scripts reach its Q_PROPERTY and
// Q_INVOKABLE members by name; the host starts it with the page's context
// and ends it when the page ends.
class CAspComponent : public QObject
{
    Q_OBJECT
public:
    explicit CAspComponent(QObject* parent = nullptr) : QObject(parent) {}

    virtual void OnStartPage(IAspScriptingContext* context) = 0;
    Q_INVOKABLE virtual void OnEndPage() = 0;
};
