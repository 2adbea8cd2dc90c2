<%
// The offline catalogue of a CD edition: an order or an order line taken offline, for the customer
// and the credential the viewer posts; a plain reply.
var aggiornamento = Server.CreateObject("QTR50.Aggiornamento");
aggiornamento.AggiornaOrdiniDaCD();
aggiornamento.Free();
%>
