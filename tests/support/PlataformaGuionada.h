#pragma once
// A scripted desktop for tests: answers message and input boxes and file choosers from queues,
// records every dialog shown, and turns "end the program" into a ProgramaTerminado exception.
// A dialog that finds no queued answer fails the running test, and so does an answer still
// queued when the platform is removed: a test states every dialog it expects, no more, no less.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Plataforma.h"

using namespace helperlib;

struct DialogoMostrado {
    std::string texto;
    int estilo;
    std::string titulo;
};

/// A queued message-box answer; with `contiene`, the box that takes it must show that text
/// (the test fails naming what was shown instead).
struct RespuestaGuionada {
    RespuestaGuionada(int codigo, std::string contiene = {})
        : codigo(codigo), contiene(std::move(contiene)) {}
    int codigo;
    std::string contiene;
};

class PlataformaGuionada final : public Plataforma {
  public:
    // Queued answers, taken in order. A dialog that finds its queue empty fails the test and
    // answers with its default button ("" for input boxes, nullopt for file choosers).
    std::deque<RespuestaGuionada> respuestas;
    /// Queues the answer of the next message box, which must show `contiene` in its text.
    void Esperar(std::string contiene, int codigo = respuesta::kOk) {
        respuestas.emplace_back(codigo, std::move(contiene));
    }
    /// When set, asked first for every message box: an answer it gives is taken (the queue is
    /// left alone); nullopt falls back to the queue. It may act on the world before answering
    /// (release a lock, say) as the user would before pressing a button.
    std::function<std::optional<int>(const DialogoMostrado&)> responder;
    std::deque<std::string> entradas;
    std::deque<std::optional<std::string>> archivos;
    long pidProceso = 1234;     // what IniciarProceso answers (0: started without an id)
    bool procesoFalla = false;  // IniciarProceso raises "cannot be started" (53)
    bool documentoAbre = true;
    std::string maquina = "PUESTO01";
    std::string usuario = "operador";
    std::string rutaEjecutable = "/opt/asientos/asientos-modelo";

    // What happened.
    std::vector<DialogoMostrado> dialogos;
    std::vector<DialogoMostrado> preguntas;  // input boxes: prompt, 0, title
    std::vector<std::string> procesos;       // program and arguments joined by one blank each
    std::vector<std::vector<std::string>> argumentos;  // program, then each argument
    std::vector<std::string> documentos;
    int eventosProcesados = 0;
    int repintados = 0;             // RepintarPendientes calls
    std::vector<bool> indicadores;  // IndicadorOcupado calls, in order
    std::optional<int> codigoFin;

    int MsgBox(const std::string& texto, int estilo, const std::string& titulo) override;
    std::string InputBox(const std::string& mensaje, const std::string& titulo,
                         const std::string& defecto) override;
    void DoEvents() override { ++eventosProcesados; }
    void RepintarPendientes() override { ++repintados; }
    [[noreturn]] void Terminar(int codigo) override;
    std::optional<std::string> ElegirArchivo(const std::string& titulo,
                                             const std::string& filtro) override;
    bool AbrirDocumento(const std::string& ruta) override;
    long IniciarProceso(const std::string& programa,
                        const std::vector<std::string>& argumentos) override;
    std::string NombreMaquina() override { return maquina; }
    std::string UsuarioSistema() override { return usuario; }
    std::string RutaEjecutable() override { return rutaEjecutable; }
    void IndicadorOcupado(bool encendido) override { indicadores.push_back(encendido); }
};

/// Installs a fresh scripted platform for the lifetime of the object and gives access to it;
/// the previous platform comes back on destruction.
class ConPlataformaGuionada {
  public:
    ConPlataformaGuionada();
    ~ConPlataformaGuionada();
    ConPlataformaGuionada(const ConPlataformaGuionada&) = delete;
    ConPlataformaGuionada& operator=(const ConPlataformaGuionada&) = delete;
    PlataformaGuionada* operator->() { return p_; }
    PlataformaGuionada& operator*() { return *p_; }

  private:
    PlataformaGuionada* p_;
    std::unique_ptr<Plataforma> anterior_;
};
