#pragma once

#include <QtGlobal>

class CDaoDatabase;

// What a picker page's ticks stand for: a link between an owner and each
// record (the correlations), or a record's visibility to a group or a
// customer (the access rights). The page asks and sets a tick per record.
class IPickerTicks
{
public:
    virtual ~IPickerTicks() = default;

    virtual CDaoDatabase& Database() = 0;
    // The record that the pages leave out, being the owner itself; a kind
    // no page shows (-1) leaves nothing out.
    virtual int OwnerKind() const = 0;
    virtual qint32 OwnerId() const = 0;
    virtual bool IsLinked(int kind, qint32 id) = 0;
    virtual void SetLinked(int kind, qint32 id, bool linked) = 0;
};
