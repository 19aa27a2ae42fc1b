#pragma once

#include "catalog/catalog.h"

#include <QString>

#include <memory>

namespace tarvel {

// The user's own copy of the catalog of an installed program, in the user's data folder:
//
//   VurIvira          the copy the program opens and the catalog dialogs write to
//   VurIvira.shipped  the shipped catalog the copy was made from, byte for byte
//   VurIvira.before-update-<date and time>
//                     a copy as it was before an update, kept for the user
//
// At the first start the copy is made from the shipped catalog. A shipped catalog whose bytes differ
// from VurIvira.shipped is a newer one (or an older one after a downgrade): the copy is made anew
// from it, with what the user added carried over (Catalog::carryOverFrom), and the previous copy is
// kept as a backup. Nothing the user added is lost.
//
// While the program runs it holds a shared lock on VurIvira.in-use. The copy is replaced only while
// no other process of the program holds that lock, since a process that has the old file open would
// go on writing into it (and its journal, named after the file, would belong to the new one); an
// update waits for a start with no other instance running.
class UserCatalog {
public:
    // What the preparation did. A deferred or failed update leaves the previous copy in use.
    enum class Outcome { Made, Current, Updated, UpdateDeferred, UpdateFailed };

    // Prepares the copy in `folder` (created when missing) from `shipped`, which is only read.
    // Throws CatalogError when there is no usable copy: the folder or the first copy cannot be made.
    // A failed update keeps the previous copy; updateFailure() says why.
    UserCatalog(const QString& shipped, const QString& folder);
    ~UserCatalog();
    UserCatalog(const UserCatalog&) = delete;
    UserCatalog& operator=(const UserCatalog&) = delete;

    QString path() const { return m_path; }
    Outcome outcome() const { return m_outcome; }
    CarriedOver carriedOver() const { return m_carried; }
    QString backup() const { return m_backup; }
    QString updateFailure() const { return m_updateFailure; }

private:
    void make(const QString& shipped, const QString& base);
    void update(const QString& shipped, const QString& base);

    QString m_path;
    Outcome m_outcome = Outcome::Current;
    CarriedOver m_carried;
    QString m_backup;
    QString m_updateFailure;
    int m_inUse = -1; // descriptor of VurIvira.in-use, locked shared while the object lives
};

} // namespace tarvel
