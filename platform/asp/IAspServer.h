#pragma once

#include <QString>

class CAspComponent;

// Services of the host to a page and to the objects it created.
class IAspServer
{
public:
    virtual ~IAspServer() = default;

    // The physical path of a site path ("/db" -> the database folder). The
    // result must lie inside the site's folders; a path that would climb out
    // of them is refused by throwing std::runtime_error.
    virtual QString MapPath(const QString& virtualPath) const = 0;

    // Creates the object registered under progId ("QTR50.Dizionario") and
    // starts it for the current page (OnStartPage with the page's context).
    // The page owns it: the host calls its OnEndPage when the page ends and
    // deletes it then. Returns nullptr for an unknown ProgID.
    virtual CAspComponent* CreateObject(const QString& progId) = 0;
};
