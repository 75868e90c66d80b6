// Writing and restoring backup files.
#include "BackupFile.h"

#include "ImportMerge.h"
#include "platform/FileIo.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

using namespace transfer;

std::string BackupToBytes(const CEventTypeTable& types, const CEventStore& store) {
    ArchiveWriter ar;
    ar.WriteText(kBackupTag);
    types.WriteTable(ar);
    store.SerializeLists(ar);
    return ar.TakeData();
}

FileResult WriteBackup(const std::string& path, const CEventTypeTable& types, const CEventStore& store) {
    return WriteFileAtomically(path, BackupToBytes(types, store));
}

TransferResult RestoreBackup(const std::string& path, CEventTypeTable& types, CEventStore& store) {
    TransferResult result;
    std::string bytes;
    if (!ReadFileFor(path, bytes, result)) return result;
    return RestoreBackupFromBytes(bytes, path, types, store);
}

TransferResult RestoreBackupFromBytes(std::string_view bytes, const std::string& path, CEventTypeTable& types,
                                      CEventStore& store) {
    TransferResult result;
    ArchiveReader probe(bytes);
    if (!HasTag(probe, kBackupTag)) return Fail(TransferError::WrongTag, texts::Tr(texts::kInvalidBackup));

    // Read everything into scratch copies first: a half-replaced store would lose data.
    const size_t bodyStart = probe.Position();
    {
        CEventTypeTable scratchTypes;
        CEventStore scratchStore;
        const ListReadResult t = scratchTypes.ReadTable(probe);
        if (!t.complete) return Fail(TransferError::ArchiveError, DamagedMessage(path, t.error));
        const ListReadResult e = scratchStore.SerializeLists(probe);
        if (!e.complete) return Fail(TransferError::ArchiveError, DamagedMessage(path, e.error));
    }
    ArchiveReader ar(bytes.substr(bodyStart));
    types.ReadTable(ar);
    store.SerializeLists(ar);
    result.typesAdded = types.GetCount();
    result.eventsAdded = store.GetCount();
    NoteDamagedTexts(path, ar.DamagedTexts(), result);
    return result;
}

}  // namespace tv
