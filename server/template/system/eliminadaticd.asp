<%
// The offline catalogue of a CD edition: the IDs that still exist, for the customer
// and the credential the viewer posts; a plain reply.
var aggiornamento = Server.CreateObject("QTR50.Aggiornamento");
aggiornamento.EliminaDatiCD();
aggiornamento.Free();
%>
