-- Schema of the embedded database: every table and view the program reads or writes.
--
-- Conventions
--   * Text columns are VARCHAR(n) COLLATE SUITE_CI: the collation registered on every connection
--     (RegistrarSemanticaSuite) compares like the suite's server: letter case ignored, accented
--     letters and Ñ included, trailing blanks ignored. It must be registered before this script
--     runs, because the indexes below are built with it.
--   * Tables the program writes carry a named check "largo_<table>_<column>" on their text
--     columns: the server cuts nothing silently, it refuses a value that does not fit, and the
--     engine maps a failed "largo_" check onto that same truncation error.
--   * Amounts are MONEY (numeric affinity; they travel as text and are parsed exactly).
--     16-bit flags and counters are SMALLINT. Dates are DATETIME holding
--     'yyyy-mm-dd hh:mm:ss' text.
--   * Statements compare LTRIM(RTRIM(col)) = '...': SQLite uses an expression index only when
--     it is declared with the collation of the comparison, hence the COLLATE SUITE_CI inside
--     the expression indexes.
--   * Names starting with V_ or VT_ are views in the suite over tables this program does not
--     model; here they are plain tables holding what the program reads. SS_ names are the
--     restricted views a non-administrator's statements are redirected to; here they show
--     their whole table.

-- ---------------------------------------------------------------------------------------------
-- Templates: one row per template line; all rows of a template share NOMBRE.
CREATE TABLE MA_MODELOS (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    NOMBRE                  VARCHAR(50) COLLATE SUITE_CI NOT NULL
        CONSTRAINT largo_MA_MODELOS_NOMBRE CHECK (length(NOMBRE) <= 50),
    SECUENCIA               SMALLINT,
    CUENTA                  VARCHAR(15) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_CUENTA CHECK (length(CUENTA) <= 15),
    "DEBE-HABER"            VARCHAR(1) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_DEBE_HABER CHECK (length("DEBE-HABER") <= 1),
    IMPORTE                 MONEY DEFAULT 0,
    AlicIVA                 MONEY DEFAULT 0,
    DETALLE                 VARCHAR(100) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_DETALLE CHECK (length(DETALLE) <= 100),
    tcdefault               VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_tcdefault CHECK (length(tcdefault) <= 4),
    IdMotivo                VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_IdMotivo CHECK (length(IdMotivo) <= 4),
    MODIFICATC              SMALLINT DEFAULT 0,
    MODIFICACTAS            SMALLINT DEFAULT 0,
    AGREGACTAS              SMALLINT DEFAULT 0,
    Anclarenmenu            SMALLINT DEFAULT 0,
    allibrodeiva            SMALLINT DEFAULT 0,
    esliqtarjetas           SMALLINT DEFAULT 0,
    fechahora_grabacion     DATETIME,
    fechahora_modificacion  DATETIME,
    tipo_reg                VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_MA_MODELOS_tipo_reg CHECK (length(tipo_reg) <= 4)
);
-- Loading a template: WHERE LTRIM(RTRIM(NOMBRE)) = '...' ORDER BY SECUENCIA.
CREATE INDEX ix_ma_modelos_nombre_trim ON MA_MODELOS (LTRIM(RTRIM(NOMBRE)) COLLATE SUITE_CI, SECUENCIA);
-- Deleting a template: WHERE LTRIM(NOMBRE) = '...'.
CREATE INDEX ix_ma_modelos_nombre_ltrim ON MA_MODELOS (LTRIM(NOMBRE) COLLATE SUITE_CI);
-- The template pick list: GROUP BY NOMBRE; the sheet: ORDER BY NOMBRE, SECUENCIA.
CREATE INDEX ix_ma_modelos_nombre ON MA_MODELOS (NOMBRE, SECUENCIA);

-- ---------------------------------------------------------------------------------------------
-- Chart of accounts. The columns are laid out so that the generic pick list, which shows the
-- fields in reverse order, starts with DESCRIPCION and CODIGO.
CREATE TABLE MA_CUENTAS (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    Nivel                   SMALLINT,                       -- depth of the code (1 = top heading)
    BIENES                  SMALLINT DEFAULT 0,             -- fixed-asset account
    Ajuste                  SMALLINT DEFAULT 0,             -- adjustable for inflation
    BLOQUEO                 SMALLINT DEFAULT 0,             -- 1 = blocked
    DADA_DE_BAJA            SMALLINT DEFAULT 0,             -- 1 = closed
    Titulo                  SMALLINT DEFAULT 0,             -- 1 = heading, takes no postings
    CodigoOpcional          VARCHAR(15) COLLATE SUITE_CI,   -- alternative code
    DV                      SMALLINT,                       -- check digit of CODIGO, 0..99
    CODIGO                  VARCHAR(15) COLLATE SUITE_CI NOT NULL,
    DESCRIPCION             VARCHAR(50) COLLATE SUITE_CI
);
CREATE UNIQUE INDEX ix_ma_cuentas_codigo ON MA_CUENTAS (CODIGO);
CREATE INDEX ix_ma_cuentas_codigo_trim ON MA_CUENTAS (LTRIM(RTRIM(CODIGO)) COLLATE SUITE_CI);
CREATE INDEX ix_ma_cuentas_codigoopcional ON MA_CUENTAS (CodigoOpcional);
CREATE INDEX ix_ma_cuentas_descripcion ON MA_CUENTAS (DESCRIPCION);
CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS;

-- Extra data of an account (tax identification and the like).
CREATE TABLE MA_CUENTASADIC (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    Codigo                  VARCHAR(15) COLLATE SUITE_CI NOT NULL,
    Cuit                    VARCHAR(13) COLLATE SUITE_CI,
    Observaciones           VARCHAR(100) COLLATE SUITE_CI
);
CREATE INDEX ix_ma_cuentasadic_codigo ON MA_CUENTASADIC (Codigo);

-- Cost centres (also a source of the account tree pick list).
CREATE TABLE TA_CCOSTO (
    CODIGO                  VARCHAR(15) COLLATE SUITE_CI PRIMARY KEY,
    DESCRIPCION             VARCHAR(50) COLLATE SUITE_CI
);
CREATE INDEX ix_ta_ccosto_codigo_trim ON TA_CCOSTO (LTRIM(RTRIM(CODIGO)) COLLATE SUITE_CI);

-- ---------------------------------------------------------------------------------------------
-- Voucher books (a view over voucher types and books in the suite). One row per book; the
-- letter columns hold the default branch and the last number used.
CREATE TABLE V_TA_CPTE (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    A_SUC_DEFAULT SMALLINT DEFAULT 0, A_ULTIMO_NRO INTEGER DEFAULT 0,
    B_SUC_DEFAULT SMALLINT DEFAULT 0, B_ULTIMO_NRO INTEGER DEFAULT 0,
    C_SUC_DEFAULT SMALLINT DEFAULT 0, C_ULTIMO_NRO INTEGER DEFAULT 0,
    X_SUC_DEFAULT SMALLINT DEFAULT 0, X_ULTIMO_NRO INTEGER DEFAULT 0,
    E_SUC_DEFAULT SMALLINT DEFAULT 0, E_ULTIMO_NRO INTEGER DEFAULT 0,
    M_SUC_DEFAULT SMALLINT DEFAULT 0, M_ULTIMO_NRO INTEGER DEFAULT 0,
    R_SUC_DEFAULT SMALLINT DEFAULT 0, R_ULTIMO_NRO INTEGER DEFAULT 0,
    UNEGOCIO                VARCHAR(4) COLLATE SUITE_CI,
    TALONARIO               SMALLINT DEFAULT 0,
    CODIGO                  VARCHAR(4) COLLATE SUITE_CI NOT NULL,
    DESCRIPCION             VARCHAR(50) COLLATE SUITE_CI
);
CREATE INDEX ix_v_ta_cpte_codigo ON V_TA_CPTE (CODIGO, UNEGOCIO, TALONARIO);
CREATE INDEX ix_v_ta_cpte_codigo_trim ON V_TA_CPTE (LTRIM(RTRIM(CODIGO)) COLLATE SUITE_CI);

-- Voucher types with their letters and number ranges.
CREATE TABLE TA_COMPROBANTES (
    CODIGO                  VARCHAR(4) COLLATE SUITE_CI PRIMARY KEY,
    DESCRIPCION             VARCHAR(50) COLLATE SUITE_CI,
    Letras                  VARCHAR(7) COLLATE SUITE_CI,
    ModificaNumeracion      VARCHAR(5) COLLATE SUITE_CI,
    A_ULTIMO_NRO INTEGER DEFAULT 0, A_NRO_DESDE INTEGER DEFAULT 0, A_NRO_HASTA INTEGER DEFAULT 0,
    B_ULTIMO_NRO INTEGER DEFAULT 0, B_NRO_DESDE INTEGER DEFAULT 0, B_NRO_HASTA INTEGER DEFAULT 0,
    C_ULTIMO_NRO INTEGER DEFAULT 0, C_NRO_DESDE INTEGER DEFAULT 0, C_NRO_HASTA INTEGER DEFAULT 0,
    X_ULTIMO_NRO INTEGER DEFAULT 0, X_NRO_DESDE INTEGER DEFAULT 0, X_NRO_HASTA INTEGER DEFAULT 0,
    E_ULTIMO_NRO INTEGER DEFAULT 0, E_NRO_DESDE INTEGER DEFAULT 0, E_NRO_HASTA INTEGER DEFAULT 0,
    M_ULTIMO_NRO INTEGER DEFAULT 0, M_NRO_DESDE INTEGER DEFAULT 0, M_NRO_HASTA INTEGER DEFAULT 0,
    R_ULTIMO_NRO INTEGER DEFAULT 0, R_NRO_DESDE INTEGER DEFAULT 0, R_NRO_HASTA INTEGER DEFAULT 0
);

-- Purchase reasons (a view in the suite).
CREATE TABLE V_TA_MotivoCpra (
    IdMotivoCpra            VARCHAR(4) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI
);
CREATE INDEX ix_v_ta_motivocpra_trim ON V_TA_MotivoCpra (LTRIM(RTRIM(IdMotivoCpra)) COLLATE SUITE_CI);

-- Subledger (register type) of each voucher type.
CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    SUBDIARIO               VARCHAR(4) COLLATE SUITE_CI NOT NULL,
    TC                      VARCHAR(4) COLLATE SUITE_CI NOT NULL
);
CREATE INDEX ix_ma_subdiarioscomprobantes_tc ON MA_SUBDIARIOSCOMPROBANTES (TC);
CREATE INDEX ix_ma_subdiarioscomprobantes_sub ON MA_SUBDIARIOSCOMPROBANTES (RTRIM(LTRIM(SUBDIARIO)) COLLATE SUITE_CI);

-- ---------------------------------------------------------------------------------------------
-- Journal lines.
CREATE TABLE MV_ASIENTOS (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    PERIODO                 SMALLINT NOT NULL,
    MES_OPERATIVO           SMALLINT NOT NULL,
    "NUMERO ASIENTO"        INTEGER NOT NULL,
    TIPO_REG                VARCHAR(4) COLLATE SUITE_CI DEFAULT ''
        CONSTRAINT largo_MV_ASIENTOS_TIPO_REG CHECK (length(TIPO_REG) <= 4),
    FECHA                   DATETIME,
    CUENTA                  VARCHAR(15) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_CUENTA CHECK (length(CUENTA) <= 15),
    "DEBE-HABER"            VARCHAR(1) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_DEBE_HABER CHECK (length("DEBE-HABER") <= 1),
    IMPORTE                 MONEY DEFAULT 0,
    DETALLE                 VARCHAR(100) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_DETALLE CHECK (length(DETALLE) <= 100),
    TC                      VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_TC CHECK (length(TC) <= 4),
    SUCURSAL                VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_SUCURSAL CHECK (length(SUCURSAL) <= 4),
    NUMERO                  VARCHAR(8) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_NUMERO CHECK (length(NUMERO) <= 8),
    LETRA                   VARCHAR(1) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_LETRA CHECK (length(LETRA) <= 1),
    CABIMPORTE              MONEY DEFAULT 0,
    CABCUENTA               VARCHAR(15) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_CABCUENTA CHECK (length(CABCUENTA) <= 15),
    ESRESUMEN               SMALLINT DEFAULT 0,
    ESAJUSTE                SMALLINT DEFAULT 0,
    AJUSTE_HASTA            SMALLINT,
    USUARIO                 VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_MV_ASIENTOS_USUARIO CHECK (length(USUARIO) <= 50),
    fechahora_grabacion     DATETIME
);
CREATE INDEX ix_mv_asientos_numero ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO");
CREATE INDEX ix_mv_asientos_comprobante ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX ix_mv_asientos_tiporeg_fecha ON MV_ASIENTOS (RTRIM(LTRIM(TIPO_REG)) COLLATE SUITE_CI, FECHA);
-- The lines of a run of entries of one register type and operative month (subledger work table).
CREATE INDEX ix_mv_asientos_tiporeg_numero ON MV_ASIENTOS (RTRIM(LTRIM(TIPO_REG)) COLLATE SUITE_CI, MES_OPERATIVO, "NUMERO ASIENTO");
CREATE INDEX ix_mv_asientos_cuenta ON MV_ASIENTOS (CUENTA);
-- Lines of a period dated on or outside its limits (two ranges of one index).
CREATE INDEX ix_mv_asientos_periodo_fecha ON MV_ASIENTOS (PERIODO, FECHA);
-- Adjustment entries of a period.
CREATE INDEX ix_mv_asientos_periodo_ajuste ON MV_ASIENTOS (PERIODO, ESAJUSTE);
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;

-- Fiscal years.
CREATE TABLE MV_EJERCICIOS (
    PERIODO                 SMALLINT PRIMARY KEY,
    "Fecha Desde"           DATETIME,
    "fecha hasta"           DATETIME,
    Cerrado                 SMALLINT DEFAULT 0,
    Cancelacion             SMALLINT DEFAULT 0,
    Cierre                  SMALLINT DEFAULT 0
);

-- Summary entries generated per subledger.
CREATE TABLE MV_CONTROL_AS_RES (
    ID                      INTEGER NOT NULL,
    SUBDIARIO               VARCHAR(4) COLLATE SUITE_CI NOT NULL,
    PERIODO                 SMALLINT NOT NULL,
    FECHA_DESDE             DATETIME,
    FECHA_HASTA             DATETIME,
    Anulado                 SMALLINT DEFAULT 0
);
CREATE INDEX ix_mv_control_as_res ON MV_CONTROL_AS_RES (SUBDIARIO, PERIODO, ID);
CREATE INDEX ix_mv_control_as_res_trim ON MV_CONTROL_AS_RES (RTRIM(LTRIM(SUBDIARIO)) COLLATE SUITE_CI, PERIODO);

-- Per-user work table of the subledger journal.
CREATE TABLE AUX_SUBDIARIOS (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    Usuario                 VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_Usuario CHECK (length(Usuario) <= 50),
    Periodo                 SMALLINT,
    Mes_Operativo           SMALLINT,
    "numero asiento"        INTEGER,
    fecha                   DATETIME,
    TC                      VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_TC CHECK (length(TC) <= 4),
    Sucursal                VARCHAR(4) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_Sucursal CHECK (length(Sucursal) <= 4),
    Numero                  VARCHAR(8) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_Numero CHECK (length(Numero) <= 8),
    letra                   VARCHAR(1) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_letra CHECK (length(letra) <= 1),
    Cabimporte              MONEY,
    cuenta_D                VARCHAR(15) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_cuenta_D CHECK (length(cuenta_D) <= 15),
    descripcion_D           VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_descripcion_D CHECK (length(descripcion_D) <= 50),
    importe_D               MONEY,
    Concepto                VARCHAR(100) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_Concepto CHECK (length(Concepto) <= 100),
    cuenta_H                VARCHAR(15) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_cuenta_H CHECK (length(cuenta_H) <= 15),
    descripcion_H           VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_AUX_SUBDIARIOS_descripcion_H CHECK (length(descripcion_H) <= 50),
    importe_H               MONEY
);
CREATE INDEX ix_aux_subdiarios_usuario ON AUX_SUBDIARIOS (RTRIM(LTRIM(Usuario)) COLLATE SUITE_CI);

-- Fixed assets and their events.
CREATE TABLE MA_BIENES (
    CODIGO                  INTEGER PRIMARY KEY,
    DESCRIPCION             VARCHAR(50) COLLATE SUITE_CI,
    CUENTA                  VARCHAR(15) COLLATE SUITE_CI,
    FECHA_ALTA              DATETIME,
    IMPORTE                 MONEY
);
CREATE TABLE MA_BIENES_novedades (
    CODIGO                  INTEGER NOT NULL,
    ID                      INTEGER NOT NULL,
    FECHA                   DATETIME,
    DETALLE                 VARCHAR(100) COLLATE SUITE_CI,
    PRIMARY KEY (CODIGO, ID)
);

-- ---------------------------------------------------------------------------------------------
-- Configuration values read through Cfg.
CREATE TABLE TA_CONFIGURACION (
    CLAVE                   VARCHAR(50) COLLATE SUITE_CI PRIMARY KEY
        CONSTRAINT largo_TA_CONFIGURACION_CLAVE CHECK (length(CLAVE) <= 50),
    VALOR                   VARCHAR(255) COLLATE SUITE_CI
        CONSTRAINT largo_TA_CONFIGURACION_VALOR CHECK (length(VALOR) <= 255),
    valoraux                VARCHAR(255) COLLATE SUITE_CI
        CONSTRAINT largo_TA_CONFIGURACION_valoraux CHECK (length(valoraux) <= 255)
);

-- Users of the suite.
CREATE TABLE ta_usuarios (
    nombre                  VARCHAR(20) COLLATE SUITE_CI PRIMARY KEY,
    NombreCompleto          VARCHAR(50) COLLATE SUITE_CI,
    UNegocio                VARCHAR(4) COLLATE SUITE_CI,
    Administrador           SMALLINT DEFAULT 0
);
CREATE INDEX ix_ta_usuarios_nombre_trim ON ta_usuarios (LTRIM(RTRIM(nombre)) COLLATE SUITE_CI);

-- Menu entries of the suite (a template anchored to the menu adds its own entry).
CREATE TABLE TA_MENU (
    MENU                    VARCHAR(10) COLLATE SUITE_CI
        CONSTRAINT largo_TA_MENU_MENU CHECK (length(MENU) <= 10),
    TITULO                  VARCHAR(10) COLLATE SUITE_CI
        CONSTRAINT largo_TA_MENU_TITULO CHECK (length(TITULO) <= 10),
    CLAVE                   VARCHAR(10) COLLATE SUITE_CI NOT NULL PRIMARY KEY
        CONSTRAINT largo_TA_MENU_CLAVE CHECK (length(CLAVE) <= 10),
    NOMBRE                  VARCHAR(60) COLLATE SUITE_CI
        CONSTRAINT largo_TA_MENU_NOMBRE CHECK (length(NOMBRE) <= 60),
    IMAGEN                  VARCHAR(30) COLLATE SUITE_CI
        CONSTRAINT largo_TA_MENU_IMAGEN CHECK (length(IMAGEN) <= 30),
    PROCESO                 VARCHAR(255) COLLATE SUITE_CI
        CONSTRAINT largo_TA_MENU_PROCESO CHECK (length(PROCESO) <= 255),
    HABILITADO              SMALLINT DEFAULT 1
);
CREATE INDEX ix_ta_menu_titulo ON TA_MENU (TITULO, NOMBRE);

-- Menu rights: one row per task of a user.
CREATE TABLE TA_TAREAS (
    USUARIO                 VARCHAR(20) COLLATE SUITE_CI NOT NULL
        CONSTRAINT largo_TA_TAREAS_USUARIO CHECK (length(USUARIO) <= 20),
    SISTEMA                 VARCHAR(10) COLLATE SUITE_CI
        CONSTRAINT largo_TA_TAREAS_SISTEMA CHECK (length(SISTEMA) <= 10),
    TAREA                   VARCHAR(10) COLLATE SUITE_CI NOT NULL
        CONSTRAINT largo_TA_TAREAS_TAREA CHECK (length(TAREA) <= 10)
);
CREATE INDEX ix_ta_tareas_usuario ON TA_TAREAS (USUARIO, SISTEMA, TAREA);
CREATE INDEX ix_ta_tareas_tarea ON TA_TAREAS (TAREA);
CREATE INDEX ix_ta_tareas_usuario_trim ON TA_TAREAS (LTRIM(RTRIM(USUARIO)) COLLATE SUITE_CI);

-- Access log: one row per start of a program.
CREATE TABLE Control_Acceso (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    Maquina                 VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_Control_Acceso_Maquina CHECK (length(Maquina) <= 50),
    Usuario                 VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_Control_Acceso_Usuario CHECK (length(Usuario) <= 50),
    Formulario              VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_Control_Acceso_Formulario CHECK (length(Formulario) <= 50),
    Tarea                   VARCHAR(60) COLLATE SUITE_CI
        CONSTRAINT largo_Control_Acceso_Tarea CHECK (length(Tarea) <= 60),
    Ingreso                 DATETIME,
    NombreUsuario           VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_Control_Acceso_NombreUsuario CHECK (length(NombreUsuario) <= 50)
);

-- ---------------------------------------------------------------------------------------------
-- Sources of the pick lists (views in the suite).
CREATE TABLE V_TA_Unidad (
    IdUnidad                VARCHAR(4) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI
);
CREATE TABLE V_TA_DEPOSITO (
    IdDeposito              VARCHAR(4) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI,
    Unidad                  VARCHAR(4) COLLATE SUITE_CI
);
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT * FROM V_TA_DEPOSITO;
CREATE TABLE V_TA_STATUS (
    CodigoEstado            VARCHAR(4) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI,
    Tipo                    VARCHAR(10) COLLATE SUITE_CI
);
-- Product families: the code of a family begins with the code of its parent.
CREATE TABLE V_TA_FAMILIAS (
    IdFamilia               VARCHAR(10) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI
);
CREATE INDEX ix_v_ta_familias_trim ON V_TA_FAMILIAS (LTRIM(RTRIM(IdFamilia)) COLLATE SUITE_CI);
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM V_TA_FAMILIAS;
-- Tariff positions (a tree source).
CREATE TABLE MA_POSICIONES (
    IDPOSICION              VARCHAR(15) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI
);
CREATE INDEX ix_ma_posiciones_trim ON MA_POSICIONES (LTRIM(RTRIM(IDPOSICION)) COLLATE SUITE_CI);
-- Articles with their stock; the pick lists read them through VT_MA_ARTICULOS.
CREATE TABLE V_MA_ARTICULOS (
    IdArticulo              VARCHAR(25) COLLATE SUITE_CI PRIMARY KEY,
    Descripcion             VARCHAR(50) COLLATE SUITE_CI,
    IdFamilia               VARCHAR(10) COLLATE SUITE_CI,
    IdUnidad                VARCHAR(4) COLLATE SUITE_CI,
    PRECIO1 MONEY, PRECIO2 MONEY, PRECIO3 MONEY, PRECIO4 MONEY,
    PRECIO5 MONEY, PRECIO6 MONEY, PRECIO7 MONEY, PRECIO8 MONEY,
    PUNTOPEDIDO             MONEY DEFAULT 0,
    Stock                   MONEY DEFAULT 0,
    SUSPENDIDO              SMALLINT DEFAULT 0
);
CREATE VIEW VT_MA_ARTICULOS AS SELECT * FROM V_MA_ARTICULOS;
CREATE VIEW STK_MA_ARTICULOS AS SELECT * FROM V_MA_ARTICULOS;
-- Stock shortages reported from an article list.
CREATE TABLE V_MV_FALTANTES (
    ID                      INTEGER PRIMARY KEY AUTOINCREMENT,
    FechaHora               DATETIME,
    IdArticulo              VARCHAR(25) COLLATE SUITE_CI
        CONSTRAINT largo_V_MV_FALTANTES_IdArticulo CHECK (length(IdArticulo) <= 25),
    Descripcion             VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_V_MV_FALTANTES_Descripcion CHECK (length(Descripcion) <= 50),
    Usuario                 VARCHAR(50) COLLATE SUITE_CI
        CONSTRAINT largo_V_MV_FALTANTES_Usuario CHECK (length(Usuario) <= 50)
);
-- Customers and suppliers (views over the suite's third-party table).
CREATE TABLE VT_CLIENTES (
    Codigo                  VARCHAR(10) COLLATE SUITE_CI PRIMARY KEY,
    RazonSocial             VARCHAR(50) COLLATE SUITE_CI,
    Cuit                    VARCHAR(13) COLLATE SUITE_CI,
    Dada_De_Baja            SMALLINT DEFAULT 0
);
CREATE TABLE VT_PROVEEDORES (
    Codigo                  VARCHAR(10) COLLATE SUITE_CI PRIMARY KEY,
    RazonSocial             VARCHAR(50) COLLATE SUITE_CI,
    Cuit                    VARCHAR(13) COLLATE SUITE_CI,
    Dada_De_Baja            SMALLINT DEFAULT 0
);
