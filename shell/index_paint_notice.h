// For the start-up benchmark only: with CARTULO_AVISO_INDICE set in the
// environment, the first time a filled index list has been painted the
// program writes "indice pintado N" (N rows) to stderr, once per run.
#pragma once

class QListView;

namespace cartulo::shell {

void AvisarAlPintarIndice(QListView& list);

}  // namespace cartulo::shell
