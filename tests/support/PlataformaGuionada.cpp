#include "PlataformaGuionada.h"

#include <gtest/gtest.h>

#include "ErrorEjecucion.h"

int PlataformaGuionada::MsgBox(const std::string& texto, int estilo, const std::string& titulo) {
    dialogos.push_back({texto, estilo, titulo});
    if (responder)
        if (const auto r = responder(dialogos.back())) return *r;
    if (respuestas.empty()) {
        ADD_FAILURE() << "Mensaje no esperado: \"" << titulo << "\" " << texto;
        return RespuestaPorDefecto(estilo);
    }
    const RespuestaGuionada r = respuestas.front();
    respuestas.pop_front();
    if (texto.find(r.contiene) == std::string::npos)
        ADD_FAILURE() << "Se esperaba un mensaje con \"" << r.contiene << "\"; se mostró \""
                      << titulo << "\" " << texto;
    return r.codigo;
}

std::string PlataformaGuionada::InputBox(const std::string& mensaje, const std::string& titulo,
                                         const std::string&) {
    preguntas.push_back({mensaje, 0, titulo});
    if (entradas.empty()) {
        ADD_FAILURE() << "Pregunta no esperada: \"" << titulo << "\" " << mensaje;
        return {};
    }
    auto r = entradas.front();
    entradas.pop_front();
    return r;
}

void PlataformaGuionada::Terminar(int codigo) {
    codigoFin = codigo;
    throw ProgramaTerminado{codigo};
}

std::optional<std::string> PlataformaGuionada::ElegirArchivo(const std::string& titulo,
                                                             const std::string&) {
    preguntas.push_back({titulo, 1, "ElegirArchivo"});
    if (archivos.empty()) {
        ADD_FAILURE() << "Selector de archivos no esperado: \"" << titulo << "\"";
        return std::nullopt;
    }
    auto r = archivos.front();
    archivos.pop_front();
    return r;
}

bool PlataformaGuionada::AbrirDocumento(const std::string& ruta) {
    documentos.push_back(ruta);
    return documentoAbre;
}

long PlataformaGuionada::IniciarProceso(const std::string& programa,
                                        const std::vector<std::string>& args) {
    if (procesoFalla)
        throw ErrorEjecucion(errnum::kArchivoNoEncontrado,
                             "No se pudo iniciar el programa " + programa);
    std::string linea = programa;
    for (const auto& a : args) linea += " " + a;
    procesos.push_back(linea);
    argumentos.push_back({programa});
    argumentos.back().insert(argumentos.back().end(), args.begin(), args.end());
    return pidProceso;
}

ConPlataformaGuionada::ConPlataformaGuionada() {
    auto p = std::make_unique<PlataformaGuionada>();
    p_ = p.get();
    anterior_ = InstalarPlataforma(std::move(p));
}

ConPlataformaGuionada::~ConPlataformaGuionada() {
    EXPECT_TRUE(p_->respuestas.empty()) << p_->respuestas.size() << " respuestas sin usar";
    EXPECT_TRUE(p_->entradas.empty()) << p_->entradas.size() << " entradas sin usar";
    EXPECT_TRUE(p_->archivos.empty()) << p_->archivos.size() << " archivos sin usar";
    InstalarPlataforma(std::move(anterior_));
}
