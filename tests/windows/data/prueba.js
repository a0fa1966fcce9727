// Evaluar and Relivo driven from JScript, their events handled by functions
// named after the control and the event. A handler of an event with a
// by-reference argument returns its new value (JScript passes arguments by
// value). Prueba is the test host's object.
var estados = 0, terminado = false, sigue = false, cancelar = false, ultimoError = 0;

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
    Prueba.Anotar(NumError + " " + DescrError);
}

function Principal() {
    Evaluar1.Funcion = "sen(x)*cos(y) + 2x";
    Prueba.Numero("variables", Evaluar1.NumeroVariables);
    Prueba.Texto("funcion", Evaluar1.Funcion);
    Prueba.Texto("variable1", Evaluar1.Variable(1));
    Prueba.Comprobar(Evaluar1.ExisteVariable("X"), "ExisteVariable");
    Prueba.Numero("indiceX", Evaluar1.IndiceVariable("x"));
    Evaluar1.Funcion = "(x";
    Prueba.Numero("numeroError", Evaluar1.NumeroError);

    Relivo1.Funcion = "sen(x)*cos(y)";
    Relivo1.XMin = -3;
    Relivo1.XMax = 3;
    Relivo1.YMin = -3;
    Relivo1.YMax = 3;
    Relivo1.NumeroLineasX = 10;
    Relivo1.NumeroLineasY = 10;
    Relivo1.AnguloX = 30;
    Relivo1.AnguloY = 0;
    Relivo1.AnguloZ = 20;
    Relivo1.Graficar();
    Prueba.Numero("estados", estados);
    Prueba.Comprobar(terminado, "TerminoGraficacion");

    Relivo1.NumeroLineasX = -1;
    Prueba.Numero("lineasSinSeguir", Relivo1.NumeroLineasX);
    sigue = true;
    Relivo1.NumeroLineasX = -1;
    Prueba.Numero("lineasSiguiendo", Relivo1.NumeroLineasX);
    sigue = false;

    cancelar = true;
    terminado = false;
    Relivo1.NumeroLineasX = 12;
    Relivo1.Graficar();
    cancelar = false;
    Prueba.Numero("cancelado", ultimoError);
    Prueba.Comprobar(!terminado, "sin TerminoGraficacion al cancelar");

    var g = Relivo1.Grafica;
    Prueba.Comprobar(g.Width > 0, "Grafica es una imagen");
}
