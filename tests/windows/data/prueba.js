// Evaluar and Relivo driven from JScript, their events handled by functions
// named after the control and the event. A handler of an event with a
// by-reference argument returns its new value (JScript passes arguments by
// value). The host reads the global variables the script leaves.
var estados = 0, terminado = false, sigue = false, cancelar = false, ultimoError = 0, errores = 0;
var ultimoErrorEvaluar, graficada, funcion, variables, variable1, existeX, indiceX, numeroError;
var imagen, lineasSinSeguir, lineasSiguiendo, cancelado, terminadoAlCancelar, estadosAlGraficar;

function Relivo1_Status(Stat, Porcentaje) {
    estados++;
    if (cancelar && Stat == "Procesando Superficie") Relivo1.Cancelar();
}

function Relivo1_Error(NumError, DescrError, Continuar) {
    ultimoError = NumError;
    return sigue;
}

function Relivo1_TerminoGraficacion() {
    terminado = true;
}

function Evaluar1_Error(NumError, DescrError) {
    errores++;
    ultimoErrorEvaluar = NumError + " " + DescrError;
}

function Principal() {
    Evaluar1.Funcion = "sen(x)*cos(y) + 2x";
    funcion = Evaluar1.Funcion;
    variables = Evaluar1.NumeroVariables;
    variable1 = Evaluar1.Variable(1);
    existeX = Evaluar1.ExisteVariable("X");
    indiceX = Evaluar1.IndiceVariable("x");
    Evaluar1.Funcion = "(x";
    numeroError = Evaluar1.NumeroError;

    Relivo1.Funcion = "sen(x)*cos(y)";
    Relivo1.XMin = -3; Relivo1.XMax = 3;
    Relivo1.YMin = -3; Relivo1.YMax = 3;
    Relivo1.NumeroLineasX = 10; Relivo1.NumeroLineasY = 10;
    Relivo1.AnguloX = 30; Relivo1.AnguloY = 0; Relivo1.AnguloZ = 20;
    Relivo1.Graficar();
    graficada = terminado;
    estadosAlGraficar = estados;

    Relivo1.NumeroLineasX = -1;
    lineasSinSeguir = Relivo1.NumeroLineasX;
    sigue = true;
    Relivo1.NumeroLineasX = -1;
    lineasSiguiendo = Relivo1.NumeroLineasX;
    sigue = false;

    cancelar = true; terminado = false;
    Relivo1.NumeroLineasX = 12;
    Relivo1.Graficar();
    cancelar = false;
    cancelado = ultimoError;
    terminadoAlCancelar = terminado;

    imagen = Relivo1.Grafica.Width > 0;
}
