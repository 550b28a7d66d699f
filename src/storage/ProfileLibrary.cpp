#include "ProfileLibrary.h"

#include "AppConfig.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

using Code = ProfileLibrary::Code;
using Result = ProfileLibrary::Result;

Result fail(Code code, const QString &detail = QString())
{
    return Result{code, detail};
}

int currentSlot(const ProfileSet &set)
{
    return set.ProfileID < kProfileCount ? set.ProfileID : 0;
}

// Puts PROFILE, the library file PATH of NAME, into the current slot under NAME.
void loadIntoSlot(ProfileSet &set, const QString &name, ProfileData profile, const QString &path)
{
    profile.ProfileName = name;
    profile.ProfilePath = path;
    set.current() = profile;
    set.names[size_t(currentSlot(set))] = name;
}

void bindName(ProfileSet &set, const QString &name, const QString &path)
{
    set.names[size_t(currentSlot(set))] = name;
    set.current().ProfileName = name;
    set.current().ProfilePath = path;
}

} // namespace

ProfileLibrary::ProfileLibrary(const QString &model)
    : m_model(model), m_names(AppConfig::loadProfileList(model))
{
}

QString ProfileLibrary::file(const QString &name) const
{
    return ProfileStore::libraryProfilePath(m_model, name);
}

bool ProfileLibrary::isFull() const
{
    return m_names.size() >= AppConfig::kProfileLibraryMax;
}

bool ProfileLibrary::isDefaultName(const QString &name)
{
    for (int i = 0; i < kProfileCount; ++i) {
        if (name == ProfileDefaults::defaultSlotName(i))
            return true;
    }
    return false;
}

QString ProfileLibrary::templateName()
{
    return QStringLiteral("DefaultProfile");
}

bool ProfileLibrary::nameTaken(const QString &name, const ProfileSet &set) const
{
    return m_names.contains(name) || QFile::exists(file(name)) ||
           std::find(set.names.begin(), set.names.end(), name) != set.names.end();
}

QString ProfileLibrary::freeAddName(const ProfileSet &set) const
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Profile %1").arg(n);
        if (!nameTaken(name, set))
            return name;
    }
}

QString ProfileLibrary::freeCopyName(const QString &base, const ProfileSet &set) const
{
    QString name = base + QStringLiteral(" copy");
    for (int n = 2; nameTaken(name, set); ++n)
        name = base + QStringLiteral(" copy") + QString::number(n);
    return name;
}

QString ProfileLibrary::freeKeepBothName(const QString &name, const ProfileSet &set) const
{
    static const QRegularExpression numbered(QStringLiteral("^(.+) \\((\\d+)\\)$"));
    const QRegularExpressionMatch match = numbered.match(name);
    const QString stem = match.hasMatch() ? match.captured(1) : name;
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(stem).arg(n);
        if (!nameTaken(candidate, set))
            return candidate;
    }
}

bool ProfileLibrary::wouldReplace(const QString &name, const ProfileData &profile) const
{
    const QString path = file(name);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    ProfileData stored;
    bool complete = false;
    if (!ProfileStore::readProfileSection(0, stored, path, nullptr, &complete) || !complete)
        return true;
    ProfileData incoming = profile;
    incoming.ProfileName = stored.ProfileName;
    incoming.ProfilePath = stored.ProfilePath;
    incoming.LedMoveOFF = stored.LedMoveOFF;
    incoming.LedSleepTime = stored.LedSleepTime;
    return incoming != stored;
}

QString ProfileLibrary::importName(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

Result ProfileLibrary::setNames(const QStringList &names)
{
    QString error;
    if (!AppConfig::saveProfileList(m_model, names, &error))
        return fail(Code::ListNotSaved, error);
    m_names = names;
    return {};
}

Result ProfileLibrary::append(const QString &name, const QString &file)
{
    Result result = setNames(m_names + QStringList{name});
    if (!result.ok())
        QFile::remove(file); // leave no file the list does not name
    return result;
}

Result ProfileLibrary::writeNew(const QString &name, ProfileData profile, QString *path)
{
    QString error;
    *path = ProfileStore::libraryProfilePath(m_model, name, &error);
    if (path->isEmpty())
        return fail(Code::BadModel, error);
    profile.ProfileName = name;
    profile.ProfilePath = *path;
    if (!ProfileStore::writeProfileSection(0, profile, *path, &error)) {
        QFile::remove(*path);
        return fail(Code::WriteFailed, error);
    }
    return {};
}

Result ProfileLibrary::bind(ProfileSet &set, const QString &name) const
{
    const int slot = currentSlot(set);
    for (int i = 0; i < kProfileCount; ++i) {
        if (i != slot && set.names[size_t(i)] == name)
            return fail(Code::InUse);
    }
    QString error;
    const QString path = ProfileStore::libraryProfilePath(m_model, name, &error);
    ProfileData profile;
    if (path.isEmpty() || !ProfileStore::readProfileSection(0, profile, path, &error))
        return fail(Code::ReadFailed, error);
    loadIntoSlot(set, name, profile, path);
    return {};
}

Result ProfileLibrary::add(ProfileSet &set)
{
    if (isFull())
        return fail(Code::Full);
    const QString name = freeAddName(set);
    ProfileData profile;
    const QString templ = file(templateName());
    QString error;
    if (!templ.isEmpty() && QFile::exists(templ)) {
        if (!ProfileStore::readProfileSection(0, profile, templ, &error))
            return fail(Code::ReadFailed, error);
    } else {
        ProfileDefaults::buildDefaultProfile(profile);
    }
    QString path;
    Result result = writeNew(name, profile, &path);
    if (result.ok())
        result = append(name, path);
    if (result.ok())
        loadIntoSlot(set, name, profile, path);
    return result;
}

Result ProfileLibrary::copy(ProfileSet &set)
{
    if (isFull())
        return fail(Code::Full);
    const QString base = set.names[size_t(currentSlot(set))];
    const QString name = freeCopyName(base, set);
    QString error;
    if (ProfileStore::libraryProfilePath(m_model, name, &error).isEmpty())
        return fail(Code::BadModel, error);
    // The library file of the slot's profile, or what the slot shows when it has none yet.
    ProfileData profile = set.current();
    const QString source = file(base);
    if (!source.isEmpty() && QFileInfo::exists(source) &&
        !ProfileStore::readProfileSection(0, profile, source, &error))
        return fail(Code::ReadFailed, error);
    QString path;
    Result result = writeNew(name, profile, &path);
    if (result.ok())
        result = append(name, path);
    if (result.ok())
        bindName(set, name, path);
    return result;
}

Result ProfileLibrary::canRemove(const ProfileSet &set) const
{
    if (m_names.size() <= 1)
        return fail(Code::Retain);
    const QString name = set.names[size_t(currentSlot(set))];
    if (isDefaultName(name))
        return fail(Code::DefaultName);
    if (!m_names.contains(name))
        return fail(Code::NotInLibrary);
    return {};
}

int ProfileLibrary::replacementIndex(int k, const ProfileSet &set) const
{
    const int slot = currentSlot(set);
    auto boundElsewhere = [&](int index) {
        for (int i = 0; i < kProfileCount; ++i) {
            if (i != slot && set.names[size_t(i)] == m_names[index])
                return true;
        }
        return false;
    };
    int candidate = k + 1 < m_names.size() ? k + 1 : k - 1;
    while (candidate >= 0 && (candidate == k || boundElsewhere(candidate)))
        --candidate;
    if (candidate >= 0)
        return candidate;
    for (candidate = k + 1; candidate < m_names.size(); ++candidate) {
        if (!boundElsewhere(candidate))
            return candidate;
    }
    return -1;
}

Result ProfileLibrary::remove(ProfileSet &set)
{
    Result result = canRemove(set);
    if (!result.ok())
        return result;
    const QString name = set.names[size_t(currentSlot(set))];
    const int k = m_names.indexOf(name);
    const int candidate = replacementIndex(k, set);
    if (candidate < 0)
        return fail(Code::AllBound);
    const QString replacement = m_names[candidate];

    // The replacement is read before anything changes, so a failure keeps all.
    QString error;
    ProfileData profile;
    const QString replacementPath = file(replacement);
    if (!ProfileStore::readProfileSection(0, profile, replacementPath, &error))
        return fail(Code::ReadFailed, error);
    const QStringList oldList = m_names;
    QStringList names = m_names;
    names.removeAt(k);
    result = setNames(names);
    if (!result.ok())
        return result;
    const QString path = file(name);
    if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path)) {
        const QString reason = QFile(path).errorString();
        setNames(oldList);
        return fail(Code::WriteFailed, reason);
    }
    loadIntoSlot(set, replacement, profile, replacementPath);
    return {};
}

Result ProfileLibrary::rename(ProfileSet &set, const QString &newName)
{
    const QString oldName = set.names[size_t(currentSlot(set))];
    if (newName == oldName)
        return {};
    if (isDefaultName(oldName))
        return fail(Code::DefaultName);
    QString error;
    if (!Paths::isSafeName(newName, &error))
        return fail(Code::BadName, error);
    const QString target = ProfileStore::libraryProfilePath(m_model, newName, &error);
    if (target.isEmpty())
        return fail(Code::BadModel, error);
    if (nameTaken(newName, set))
        return fail(Code::Exists);
    // Each step is undone when a later one fails: nothing is left half-renamed.
    const QString source = file(oldName);
    const bool hadSource = !source.isEmpty() && QFile::exists(source);
    if (hadSource) {
        if (!QFile::rename(source, target))
            return fail(Code::WriteFailed, QFile(source).errorString());
    } else {
        ProfileData profile = set.current();
        profile.ProfileName = newName;
        profile.ProfilePath = target;
        if (!ProfileStore::writeProfileSection(0, profile, target, &error)) {
            QFile::remove(target);
            return fail(Code::WriteFailed, error);
        }
    }
    auto undoFile = [&] {
        if (hadSource)
            QFile::rename(target, source);
        else
            QFile::remove(target);
    };

    const QStringList oldNames = m_names;
    QStringList names = m_names;
    const int k = names.indexOf(oldName);
    if (k >= 0)
        names[k] = newName;
    else
        names.append(newName);
    Result result = setNames(names);
    if (!result.ok()) {
        undoFile();
        return result;
    }
    auto undoList = [&] {
        setNames(oldNames);
        undoFile();
    };

    // The slot's own file (Configs/Profile/NAME.prof) follows the name. One
    // that a slot once so named left behind is replaced: the slot loads its
    // own file under its new name at the next start.
    const QString slotOld = ProfileStore::slotProfilePath(oldName);
    const QString slotNew = ProfileStore::slotProfilePath(newName);
    const bool slotMoves = !slotOld.isEmpty() && !slotNew.isEmpty() && QFileInfo::exists(slotOld);
    if (slotMoves &&
        ::rename(QFile::encodeName(slotOld).constData(), QFile::encodeName(slotNew).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        undoList();
        return fail(Code::WriteFailed,
                    QStringLiteral("%1 could not be renamed to %2: %3").arg(slotOld, slotNew, reason));
    }

    // Config.ini's slot names, which the next start binds the slots by.
    ProfileData &record = set.current();
    const QString oldProfileName = record.ProfileName;
    const QString oldPath = record.ProfilePath;
    bindName(set, newName, target);
    if (!AppConfig::saveSlotNames(set, &error)) {
        set.names[size_t(currentSlot(set))] = oldName;
        record.ProfileName = oldProfileName;
        record.ProfilePath = oldPath;
        if (slotMoves)
            ::rename(QFile::encodeName(slotNew).constData(), QFile::encodeName(slotOld).constData());
        undoList();
        return fail(Code::ListNotSaved, error);
    }
    return {};
}

Result ProfileLibrary::importProfile(ProfileSet &set, const QString &path)
{
    return importProfile(set, path, ImportOptions());
}

Result ProfileLibrary::importProfile(ProfileSet &set, const QString &path, const ImportOptions &options,
                                     ImportReport *report)
{
    const ImportReport check = ImportReport::check(path, ImportReport::FileKind::Profile, m_model);
    if (report)
        *report = check;
    switch (check.refusal()) {
    case ImportReport::Refusal::None:
        break;
    case ImportReport::Refusal::OtherModel:
        return fail(Code::OtherModel);
    case ImportReport::Refusal::TooLarge:
        return fail(Code::TooLarge, check.refusalText());
    case ImportReport::Refusal::Missing:
    case ImportReport::Refusal::Unreadable:
        return fail(Code::ReadFailed, check.refusalText());
    }
    QString name = importName(path);
    QString error;
    if (!Paths::isSafeName(name, &error) || name == templateName())
        return fail(Code::BadName, error);
    if (ProfileStore::libraryProfilePath(m_model, name, &error).isEmpty())
        return fail(Code::BadModel, error);
    if (check.isIncomplete() && !options.loadIncomplete)
        return fail(Code::Incomplete, check.incompleteText());
    if (nameTaken(name, set)) {
        switch (options.onClash) {
        case OnClash::Refuse:
            return fail(Code::Exists);
        case OnClash::KeepBoth:
            name = freeKeepBothName(name, set);
            break;
        case OnClash::Overwrite:
            for (int i = 0; i < kProfileCount; ++i) {
                if (i != currentSlot(set) && set.names[size_t(i)] == name)
                    return fail(Code::InUse);
            }
            break;
        }
    }
    const bool listed = m_names.contains(name);
    if (!listed && isFull())
        return fail(Code::Full);
    // Read it whole first: a file that cannot be read changes nothing. One
    // that ended inside a line reads as malformed; what it holds is still read.
    ProfileData profile;
    if (!ProfileStore::readProfileSection(0, profile, path, &error) &&
        !(options.loadIncomplete && check.isIncomplete()))
        return fail(Code::ReadFailed, error);
    const QString target = file(name);
    const bool existed = QFile::exists(target);
    profile.ProfileName = name;
    profile.ProfilePath = target;
    // An overwritten file is replaced atomically: a failure leaves it as it was.
    if (!ProfileStore::writeProfileSection(0, profile, target, &error)) {
        if (!existed)
            QFile::remove(target);
        return fail(Code::WriteFailed, error);
    }
    if (!listed) {
        const Result result = setNames(m_names + QStringList{name});
        if (!result.ok()) {
            if (!existed)
                QFile::remove(target);
            return result;
        }
    }
    // LED options of a profile file are kept by the slot.
    loadIntoSlot(set, name, profile, target);
    return {};
}

Result ProfileLibrary::exportProfile(const ProfileData &profile, const QString &path) const
{
    // Through a temporary file beside the target: a failure leaves the target as it was.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    QString error;
    bool ok = ProfileStore::writeProfileSection(0, profile, part, &error) &&
              ProfileStore::writeExportModelName(part, m_model, &error);
    if (ok && QFile::exists(path) && !QFile::remove(path)) {
        error = QFile(path).errorString();
        ok = false;
    }
    if (ok && !QFile::rename(part, path)) {
        error = QStringLiteral("cannot write %1").arg(path);
        ok = false;
    }
    if (ok)
        return {};
    QFile::remove(part);
    return fail(Code::WriteFailed, error);
}
